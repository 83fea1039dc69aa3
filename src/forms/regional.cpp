#include "forms/regional.h"

#include <QStringList>

namespace motoreckon {

namespace {

RegionalFormat readFormat(const QLocale& locale) {
    RegionalFormat format;
    format.decimalSeparator = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();
    format.negativeSign = locale.negativeSign().toStdString();

    // QLocale does not tell its group sizes; read them off a written number.
    const QStringList groups = locale.toString(1234567890LL).split(locale.groupSeparator());
    if (locale.groupSeparator().isEmpty() || groups.size() < 2) {
        format.primaryGroupSize = 0;
    } else {
        format.primaryGroupSize = static_cast<int>(groups.at(groups.size() - 1).size());
        format.secondaryGroupSize = static_cast<int>(groups.at(groups.size() - 2).size());
        if (groups.size() == 2) format.secondaryGroupSize = format.primaryGroupSize;
    }
    return format;
}

}  // namespace

// Every Calculate asks for the user's settings, and reading them writes a number; they are read
// again only when the locale changes.
RegionalFormat regionalFormat(const QLocale& locale) {
    static QLocale read(QLocale::C);
    static RegionalFormat format = readFormat(read);
    if (locale != read) {
        format = readFormat(locale);
        read = locale;
    }
    return format;
}

}  // namespace motoreckon
