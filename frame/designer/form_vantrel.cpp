// SPDX-License-Identifier: MIT

#include "form_vantrel.h"

#include "units.h"

Vantrel::Vantrel(QWidget* parent) : vantrel::Vantrel(parent) {
    InitProperties();
}

void Vantrel::setTitleBarHeight(int twips) {
    vantrel::Vantrel::setTitleBarHeight(quellor::toInt16(twips));
}

void Vantrel::setFontSize(double points) {
    vantrel::Vantrel::setFontSize(static_cast<float>(points));
}
