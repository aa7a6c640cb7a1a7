// SPDX-License-Identifier: MIT

#include "property_page.h"

#include "module.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

PropertyPage::PropertyPage(QWidget* parent) : QWidget(parent) {
    module::objectCreated();
    setObjectName(QStringLiteral("PropertyPage1"));
    setWindowTitle(QStringLiteral("关于"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(aboutText(), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    layout->addWidget(label);
}

PropertyPage::~PropertyPage() {
    module::objectDestroyed();
}

QString PropertyPage::aboutText() {
    return QStringLiteral("VantrelLib 1.00\n"
                          "XP 风格窗口边框控件 Vantrel：标题栏、图标、带阴影的标题、最小化与关闭按钮、"
                          "拖动标题栏移动窗口，银白色与橄榄绿两种风格。\n"
                          "在无边框窗体上放置一个，覆盖整个客户区即可。");
}

} // namespace vantrel
