#pragma once

#include <QStringList>

// vistrano-cli formats: extension, description handed on and decoder class
// of every registered extension, tab-separated, in registration order.
int RunFormats(const QStringList &args);
