#pragma once

#include <QLocale>

#include "core/regional_format.h"

namespace motoreckon {

// The number settings of a locale, by default the user's (QLocale's default locale).
RegionalFormat regionalFormat(const QLocale& locale = QLocale());

}  // namespace motoreckon
