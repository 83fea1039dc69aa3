#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

#include "core/failures.h"
#include "core/number_parse.h"
#include "core/number_text.h"

namespace motoreckon {
namespace {

const RegionalFormat kEnglish = RegionalFormat::English();
const RegionalFormat kGerman = RegionalFormat::German();

struct TextCase {
    double value;
    std::string english;
    std::string german;
};

TEST(GeneralText, WritesFifteenSignificantDigitsWithoutExponentOrGrouping) {
    const TextCase cases[] = {
        {349.848576, "349.848576", "349,848576"},
        {794.0 / 77.0, "10.3116883116883", "10,3116883116883"},
        {349.848576 * 0.016387, "5.732968614912", "5,732968614912"},
        {0.5, "0.5", "0,5"},
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {-12.25, "-12.25", "-12,25"},
        {1234567.0, "1234567", "1234567"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        {123456789012345678.0, "123456789012346000", "123456789012346000"},
        {1e-7, "0.0000001", "0,0000001"},
        {999999999999999.9, "1000000000000000", "1000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GeneralText(c.value, kEnglish), c.english) << c.value;
        EXPECT_EQ(GeneralText(c.value, kGerman), c.german) << c.value;
    }
}

TEST(GeneralText, ReadsBackThroughTheStrictParse) {
    const double values[] = {349.848576,    1.0 / 3.0,           -2.5e-9,
                             6.02214076e23, 1.7976931348623e308, 4.9406564584124654e-324};
    for (const double value : values) {
        for (const auto& format : {kEnglish, kGerman}) {
            const double back = ParseNumberStrict(GeneralText(value, format), format);
            EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << value;
        }
    }
}

TEST(NumberWritings, RefuseValuesThatAreNotFinite) {
    const double bad[] = {std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
    for (const double value : bad) {
        EXPECT_THROW(GeneralText(value, kEnglish), OverflowFailure);
        EXPECT_THROW(WholeNumberText(value, kEnglish), OverflowFailure);
    }
}

// Written with 15 significant digits, the largest doubles (from 1.797693134862315e308 on)
// round past DBL_MAX: such a text would read back as an infinity, so they are overflows.
TEST(NumberWritings, ReadBackAsFiniteNumbersAtTheTopOfTheRange) {
    struct Case {
        double value;
        bool writable;
    };
    const double largest = std::numeric_limits<double>::max();
    const Case cases[] = {
        {1.7976931348623147e308, true},        {1.7976931348623141e308, true},
        {1.7976931348623151e308, false},       {largest, false},
        {std::nextafter(largest, 0.0), false},
    };
    for (const auto& c : cases) {
        for (const double value : {c.value, -c.value}) {
            for (const auto& format : {kEnglish, kGerman}) {
                SCOPED_TRACE(testing::Message() << value << " " << format.decimalSeparator);
                if (!c.writable) {
                    EXPECT_THROW(GeneralText(value, format), OverflowFailure);
                    EXPECT_THROW(WholeNumberText(value, format), OverflowFailure);
                    continue;
                }
                const double general = ParseNumberStrict(GeneralText(value, format), format);
                const double whole = ParseNumberStrict(WholeNumberText(value, format), format);
                EXPECT_TRUE(std::isfinite(general));
                EXPECT_NEAR(general, value, std::fabs(value) * 1e-14);
                EXPECT_EQ(whole, general);
            }
        }
    }
}

// QApplication takes the C library's locale from the environment, so on a German desktop
// printf writes "3,5". Builds the German locale into a temporary folder (localedef, with the
// locale sources of the Debian package "locales") and switches the C library to it.
class GermanCLibraryLocale {
  public:
    GermanCLibraryLocale()
        : folder_(std::filesystem::temp_directory_path() /
                  ("motoreckon-locale-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        const std::string command = "localedef -i de_DE -f UTF-8 '" +
                                    (folder_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        built_ = std::system(command.c_str()) == 0;
        ::setenv("LOCPATH", folder_.c_str(), 1);
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                  std::string(std::localeconv()->decimal_point) == ",";
    }
    ~GermanCLibraryLocale() {
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
        std::filesystem::remove_all(folder_);
    }
    bool built() const { return built_; }
    bool active() const { return active_; }

  private:
    std::filesystem::path folder_;
    bool built_ = false;
    bool active_ = false;
};

TEST(NumberWritings, IgnoreTheCLibraryLocale) {
    const GermanCLibraryLocale locale;
    ASSERT_TRUE(locale.built()) << "localedef could not build de_DE.UTF-8 (package locales)";
    ASSERT_TRUE(locale.active());
    const TextCase cases[] = {
        {349.848576, "349.848576", "349,848576"},
        {-12.25, "-12.25", "-12,25"},
        {1e-7, "0.0000001", "0,0000001"},
        {123456789012345678.0, "123456789012346000", "123456789012346000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GeneralText(c.value, kEnglish), c.english) << c.value;
        EXPECT_EQ(GeneralText(c.value, kGerman), c.german) << c.value;
    }
    EXPECT_EQ(TwoDecimalText("1e3", kEnglish), "1000.00");
    EXPECT_EQ(TwoDecimalText("1e3", kGerman), "1000,00");
    EXPECT_EQ(WholeNumberText(2892.18, kGerman), "2.892");
    EXPECT_EQ(WholeNumberText(1e20, kEnglish), "100,000,000,000,000,000,000");
}

struct TwoDecimalCase {
    std::string shown;
    std::string expected;
};

TEST(TwoDecimalText, RoundsTheWrittenDigitsHalfAwayFromZero) {
    const TwoDecimalCase cases[] = {
        {"349.848576", "349.85"},
        {"10.3116883116883", "10.31"},
        {"1.005", "1.01"},
        {"0.5", ".50"},
        {"0", ".00"},
        {"1234.567", "1234.57"},
        {"-1.005", "-1.01"},
        {"-0.5", "-.50"},
        {"-0.004", ".00"},
        {"9.995", "10.00"},
        {"99.999", "100.00"},
        {"", ""},
        {"5", "5.00"},
        {"0.0049", ".00"},
        {"10.31", "10.31"},
        {".00", ".00"},
        {"5.77", "5.77"},
        {"1,234.5", "1234.50"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TwoDecimalText(c.shown, kEnglish), c.expected) << c.shown;
    }
    EXPECT_EQ(TwoDecimalText("349,848576", kGerman), "349,85");
    EXPECT_EQ(TwoDecimalText("0,5", kGerman), ",50");
    EXPECT_THROW(TwoDecimalText("abc", kEnglish), ConversionFailure);
}

TEST(WholeNumberText, RoundsHalfAwayFromZeroAndGroupsDigits) {
    const TextCase cases[] = {
        {2892.18, "2,892", "2.892"},
        {62.24, "62", "62"},
        {249.75, "250", "250"},
        {-249.75, "-250", "-250"},
        {0.23, "0", "0"},
        {-0.3, "0", "0"},
        {0.5, "1", "1"},
        {-0.5, "-1", "-1"},
        {2.5, "3", "3"},
        {999.5, "1,000", "1.000"},
        {1234567.0, "1,234,567", "1.234.567"},
        {1e20, "100,000,000,000,000,000,000", "100.000.000.000.000.000.000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WholeNumberText(c.value, kEnglish), c.english) << c.value;
        EXPECT_EQ(WholeNumberText(c.value, kGerman), c.german) << c.value;
    }

    RegionalFormat indian = kEnglish;
    indian.secondaryGroupSize = 2;
    EXPECT_EQ(WholeNumberText(12345678.0, indian), "1,23,45,678");
    RegionalFormat ungrouped = kEnglish;
    ungrouped.primaryGroupSize = 0;
    EXPECT_EQ(WholeNumberText(12345678.0, ungrouped), "12345678");
}

// The form a result takes when it is too long for its window: as many significant digits as
// are asked for, the digits it is written with rounded once, halves away from zero, so that
// they agree with the whole number; in the regional format.
TEST(ExponentText, WritesTheLeadingDigitsAndThePowerOfTen) {
    const struct {
        double value;
        int digits;
        const char* english;
        const char* german;
        bool whole = false;  // written as a whole number, digits grouped
    } cases[] = {
        {7.804631955409953e307, 15, "7.80463195540995E+307", "7,80463195540995E+307"},
        {7.804631955409953e307, 4, "7.805E+307", "7,805E+307"},
        {-3.36e302, 15, "-3.36E+302", "-3,36E+302"},
        {1e20, 3, "1E+20", "1E+20"},
        {2.6e-7, 1, "3E-7", "3E-7"},
        {123456.0, 0, "1E+5", "1E+5"},
        {123456.0, 40, "1.23456E+5", "1,23456E+5"},
        {999.9996, 4, "1E+3", "1E+3"},
        {100000000000035000000.0, 14, "1.0000000000004E+20", "1,0000000000004E+20", true},
        {1.2345678901234549e20, 14, "1.2345678901235E+20", "1,2345678901235E+20", true},
        {-1.5e20, 15, "-1.5E+20", "-1,5E+20", true},
    };
    for (const auto& c : cases) {
        for (const auto& [format, expected] :
             {std::pair{kEnglish, c.english}, {kGerman, c.german}}) {
            const std::string written =
                c.whole ? WholeNumberText(c.value, format) : GeneralText(c.value, format);
            EXPECT_EQ(ExponentText(written, c.digits, format), expected) << written;
        }
    }
    EXPECT_THROW(ExponentText("inf", 15, kEnglish), ConversionFailure);
}

TEST(PlainIntegerText, WritesDigitsAndMinusOnly) {
    EXPECT_EQ(PlainIntegerText(516), "516");
    EXPECT_EQ(PlainIntegerText(0), "0");
    EXPECT_EQ(PlainIntegerText(-2147483647 - 1), "-2147483648");
}

}  // namespace
}  // namespace motoreckon
