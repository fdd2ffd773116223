#include "platform/forms/HourglassCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace Forms {

HourglassCursor::HourglassCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

HourglassCursor::~HourglassCursor() { QGuiApplication::restoreOverrideCursor(); }

}  // namespace Forms
