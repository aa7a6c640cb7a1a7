#pragma once
// SPDX-License-Identifier: MIT
// The control's property page: it only tells what the library is.

#include "vantrel/vantrel_identity.h"

#include <QWidget>

namespace vantrel {

class PropertyPage : public QWidget {
    Q_OBJECT
    VANTREL_PROPERTY_PAGE_CLASSINFO
public:
    explicit PropertyPage(QWidget* parent = nullptr);
    ~PropertyPage() override;

    static QString aboutText();
};

} // namespace vantrel
