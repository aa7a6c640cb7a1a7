#pragma once
// SPDX-License-Identifier: MIT
// Program start-up: one instance only, the class cursors, then the splash.

#include "forms.h"
#include "single_instance.h"

#include <QCoreApplication>

namespace quellor {

class Startup {
    Q_DECLARE_TR_FUNCTIONS(quellor::Startup)

public:
    Startup(Forms& forms, SingleInstance& instance) : m_forms(forms), m_instance(instance) {}
    // False when the program must end at once (another instance runs; the user was told).
    bool run();

    static QString alreadyRunningText() { return tr("程序已在运行,不能重复运行!"); }

private:
    Forms& m_forms;
    SingleInstance& m_instance;
};

} // namespace quellor
