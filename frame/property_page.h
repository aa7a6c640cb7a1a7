#pragma once
// The control's property page: it only tells what the library is.

#include <QWidget>

namespace vantrel {

class PropertyPage : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("ClassID", "{7E8A1A57-670B-11D7-B92A-00E04C3C232C}")
    Q_CLASSINFO("InterfaceID", "{835588BF-9769-11D7-B92B-00E04C3C232C}")
public:
    explicit PropertyPage(QWidget* parent = nullptr);
    ~PropertyPage() override;

    static QString aboutText();
};

} // namespace vantrel
