// OLE automation dates and spans: the calendar they count from 1899-12-30,
// dates before the epoch whose fraction still runs forward, rounding to the
// nearest second, the range of valid years, strftime-style text and the
// arithmetic between dates and spans.

#include "COleDateTime.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

namespace {

struct Fields
{
    int year, month, day, hour, minute, second;
};

Fields FieldsOf(const COleDateTime& date)
{
    return {date.GetYear(), date.GetMonth(),  date.GetDay(),
            date.GetHour(), date.GetMinute(), date.GetSecond()};
}

// Checks every field of the date named by the value.
void ExpectDate(DATE value, Fields expected)
{
    const COleDateTime date(value);
    ASSERT_EQ(date.m_status, COleDateTime::valid) << value;
    const Fields actual = FieldsOf(date);
    EXPECT_EQ(actual.year, expected.year) << value;
    EXPECT_EQ(actual.month, expected.month) << value;
    EXPECT_EQ(actual.day, expected.day) << value;
    EXPECT_EQ(actual.hour, expected.hour) << value;
    EXPECT_EQ(actual.minute, expected.minute) << value;
    EXPECT_EQ(actual.second, expected.second) << value;
}

std::string Text(const CString& text)
{
    return text.ToUtf8();
}

// Tuesday 2024-03-05 14:07:09, the 65th day of a leap year.
const COleDateTime kTuesday(2024, 3, 5, 14, 7, 9);

std::string Formatted(const COleDateTime& date, const char* pattern)
{
    return Text(date.Format(CString(pattern)));
}

constexpr double kSecond = 1.0 / 86400.0;

// Sets the TZ variable for one test and puts the previous value back after it.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* previous = std::getenv("TZ"))
            m_previous = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_previous)
            setenv("TZ", m_previous->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_previous;
};

} // namespace

TEST(OleDate, EpochAndKnownDays)
{
    ExpectDate(0.0, {1899, 12, 30, 0, 0, 0});
    ExpectDate(1.5, {1899, 12, 31, 12, 0, 0});
    ExpectDate(25569.0, {1970, 1, 1, 0, 0, 0});
    ExpectDate(25569.75, {1970, 1, 1, 18, 0, 0});
    ExpectDate(45351.0, {2024, 2, 29, 0, 0, 0});
    ExpectDate(45352.0, {2024, 3, 1, 0, 0, 0});
    // 1900 is no leap year: 60 is its last day of February.
    ExpectDate(60.0, {1900, 2, 28, 0, 0, 0});
    ExpectDate(61.0, {1900, 3, 1, 0, 0, 0});
}

TEST(OleDate, BeforeTheEpochTheFractionRunsForward)
{
    ExpectDate(-1.0, {1899, 12, 29, 0, 0, 0});
    ExpectDate(-1.25, {1899, 12, 29, 6, 0, 0});
    ExpectDate(-1.75, {1899, 12, 29, 18, 0, 0});
    ExpectDate(-2.5, {1899, 12, 28, 12, 0, 0});
    // Between -1 and 0 the day is still the epoch's.
    ExpectDate(-0.25, {1899, 12, 30, 6, 0, 0});
    ExpectDate(-36522.0, {1800, 1, 1, 0, 0, 0});
}

TEST(OleDate, RoundsToTheNearestSecond)
{
    ExpectDate(1.0 + 0.4 * kSecond, {1899, 12, 31, 0, 0, 0});
    ExpectDate(1.0 + 0.6 * kSecond, {1899, 12, 31, 0, 0, 1});
    ExpectDate(0.5 - 0.4 * kSecond, {1899, 12, 30, 12, 0, 0});
    ExpectDate(0.5 - 0.6 * kSecond, {1899, 12, 30, 11, 59, 59});
    ExpectDate(-1.0 - 0.6 * kSecond, {1899, 12, 29, 0, 0, 1});
}

TEST(OleDate, RoundingCarriesOverDayBoundaries)
{
    ExpectDate(0.999999999, {1899, 12, 31, 0, 0, 0});
    ExpectDate(45350.9999999, {2024, 2, 29, 0, 0, 0});
    ExpectDate(45351.9999999, {2024, 3, 1, 0, 0, 0});
    ExpectDate(45657.9999999, {2025, 1, 1, 0, 0, 0});
    // Late on 1899-12-28 rounds to the next midnight, 1899-12-29.
    ExpectDate(-2.999999999, {1899, 12, 29, 0, 0, 0});
    // Late on 1899-12-29 rounds to the epoch.
    ExpectDate(-1.999999999, {1899, 12, 30, 0, 0, 0});
    EXPECT_EQ(Formatted(COleDateTime(0.999999999), "%Y-%m-%d %H:%M:%S"), "1899-12-31 00:00:00");
}

TEST(OleDate, DayOfWeekAndDayOfYear)
{
    // %w counts the weekday from 0 for Sunday, %j the day of the year from 001.
    EXPECT_EQ(Formatted(COleDateTime(0.0), "%w %j"), "6 364");     // Saturday
    EXPECT_EQ(Formatted(COleDateTime(25569.0), "%w %j"), "4 001"); // Thursday
    EXPECT_EQ(Formatted(COleDateTime(-1.25), "%w"), "5");          // Friday
    EXPECT_EQ(Formatted(COleDateTime(2024, 2, 29, 0, 0, 0), "%j"), "060");
    EXPECT_EQ(Formatted(COleDateTime(2024, 12, 31, 0, 0, 0), "%j"), "366");
    EXPECT_EQ(Formatted(COleDateTime(2023, 12, 31, 0, 0, 0), "%j"), "365");
    EXPECT_EQ(Formatted(COleDateTime(2023, 1, 1, 0, 0, 0), "%w"), "0"); // Sunday
    EXPECT_EQ(Formatted(kTuesday, "%w %j"), "2 065");
}

TEST(OleDate, FromFields)
{
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
    EXPECT_EQ(COleDateTime(1970, 1, 1, 0, 0, 0).m_dt, 25569.0);
    EXPECT_EQ(COleDateTime(1970, 1, 1, 12, 0, 0).m_dt, 25569.5);
    EXPECT_EQ(COleDateTime(2024, 2, 29, 0, 0, 0).m_dt, 45351.0);
    EXPECT_EQ(COleDateTime(1900, 3, 1, 0, 0, 0).m_dt, 61.0);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 18, 0, 0).m_dt, -1.75);
    EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).m_dt, -657434.0);
    EXPECT_EQ(COleDateTime(9999, 12, 31, 0, 0, 0).m_dt, 2958465.0);

    const COleDateTime late(2024, 12, 31, 23, 59, 59);
    EXPECT_EQ(late.m_status, COleDateTime::valid);
    const Fields fields = FieldsOf(late);
    EXPECT_EQ(fields.year, 2024);
    EXPECT_EQ(fields.month, 12);
    EXPECT_EQ(fields.day, 31);
    EXPECT_EQ(fields.hour, 23);
    EXPECT_EQ(fields.minute, 59);
    EXPECT_EQ(fields.second, 59);
}

TEST(OleDate, FieldsOutOfRangeAreInvalid)
{
    const int bad[][6] = {
        {99, 12, 31, 0, 0, 0},   {10000, 1, 1, 0, 0, 0}, {2023, 2, 29, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0},  {2024, 4, 31, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},
        {2024, 13, 1, 0, 0, 0},  {2024, 1, 0, 0, 0, 0},  {2024, 1, 32, 0, 0, 0},
        {2024, 257, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0}, {2024, 1, 1, -1, 0, 0},
        {2024, 1, 1, 0, 60, 0},  {2024, 1, 1, 0, 0, 60}, {2024, 1, 1, 0, 0, -1},
    };
    for (const auto& f : bad) {
        COleDateTime date(45000.5);
        EXPECT_EQ(date.SetDateTime(f[0], f[1], f[2], f[3], f[4], f[5]), 1) << f[0] << "-" << f[1];
        EXPECT_EQ(date.m_status, COleDateTime::invalid) << f[0] << "-" << f[1] << "-" << f[2];
        EXPECT_EQ(date.m_dt, 0.0);
        EXPECT_EQ(COleDateTime(f[0], f[1], f[2], f[3], f[4], f[5]).m_status, COleDateTime::invalid);
    }

    COleDateTime date(2024, 1, 1, 24, 0, 0);
    EXPECT_EQ(date.SetDateTime(2000, 2, 29, 1, 2, 3), 0);
    EXPECT_EQ(date.m_status, COleDateTime::valid);
    EXPECT_EQ(date.GetDay(), 29);
    EXPECT_EQ(date.GetSecond(), 3);
}

TEST(OleDate, ValidRangeIsTheYears100To9999)
{
    EXPECT_EQ(COleDateTime(-657434.0).GetYear(), 100);
    EXPECT_EQ(COleDateTime(-657434.5).GetHour(), 12);
    EXPECT_EQ(COleDateTime(2958465.0).GetYear(), 9999);
    ExpectDate(2958465.99999, {9999, 12, 31, 23, 59, 59});

    for (double value :
         {-657435.0, 2958466.0, 2958465.999999, 1.0e12, -1.0e12,
          std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        COleDateTime date(value);
        EXPECT_EQ(date.m_status, COleDateTime::invalid) << value;
        EXPECT_EQ(date.GetYear(), -1) << value;
        EXPECT_EQ(Formatted(date, "%w"), "Invalid DateTime") << value;
        date = 1.0;
        EXPECT_EQ(date.m_status, COleDateTime::valid);
        date = value;
        EXPECT_EQ(date.m_status, COleDateTime::invalid) << value;
    }
}

TEST(OleDate, NullAndInvalidDatesHaveNoFields)
{
    COleDateTime date(45351.0);
    date.m_status = COleDateTime::null;
    EXPECT_EQ(date.GetYear(), -1);
    EXPECT_EQ(date.GetDay(), -1);
    EXPECT_EQ(Formatted(date, "%Y"), "");
    date.m_status = COleDateTime::invalid;
    EXPECT_EQ(date.GetMonth(), -1);
    EXPECT_EQ(Formatted(date, "%Y"), "Invalid DateTime");
    EXPECT_EQ(Formatted(COleDateTime(2024, 2, 30, 0, 0, 0), "%d"), "Invalid DateTime");
    date.m_status = COleDateTime::valid;
    EXPECT_EQ(date.GetYear(), 2024);
}

TEST(OleDate, CurrentTimeIsLocalTime)
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const QDateTime local = QDateTime::currentDateTime();
    ASSERT_EQ(now.m_status, COleDateTime::valid);
    const double expected =
        static_cast<double>(local.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
        local.time().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(now.m_dt, expected, 2.0 * kSecond);
}

TEST(OleDateFormat, NumbersOfTheDateAndTime)
{
    EXPECT_EQ(Formatted(kTuesday, "%Y-%m-%d %H:%M:%S"), "2024-03-05 14:07:09");
    EXPECT_EQ(Formatted(kTuesday, "%y %j %w %I %p"), "24 065 2 02 PM");
    EXPECT_EQ(Formatted(COleDateTime(0.0), "%I %p"), "12 AM");
    EXPECT_EQ(Formatted(COleDateTime(0.5), "%I %p"), "12 PM");
    EXPECT_EQ(Formatted(COleDateTime(0.75 - 0.25 / 12), "%I:%M %p"), "05:30 PM");
    EXPECT_EQ(Formatted(COleDateTime(2000, 1, 2, 0, 0, 0), "%y %Y %j"), "00 2000 002");
    EXPECT_EQ(Formatted(COleDateTime(100, 1, 1, 0, 0, 0), "%Y %y"), "100 00");
}

TEST(OleDateFormat, WeekNumbers)
{
    EXPECT_EQ(Formatted(kTuesday, "%U %W"), "09 10");
    // 2023 begins on a Sunday, 2024 on a Monday.
    EXPECT_EQ(Formatted(COleDateTime(2023, 1, 1, 0, 0, 0), "%U %W"), "01 00");
    EXPECT_EQ(Formatted(COleDateTime(2024, 1, 1, 0, 0, 0), "%U %W"), "00 01");
    EXPECT_EQ(Formatted(COleDateTime(2024, 1, 7, 0, 0, 0), "%U %W"), "01 01");
    EXPECT_EQ(Formatted(COleDateTime(2024, 12, 31, 0, 0, 0), "%U %W %j"), "52 53 366");
}

TEST(OleDateFormat, NamesInEnglish)
{
    EXPECT_EQ(Formatted(kTuesday, "%a %A %b %B"), "Tue Tuesday Mar March");
    EXPECT_EQ(Formatted(COleDateTime(0.0), "%a %A %b %B"), "Sat Saturday Dec December");
    EXPECT_EQ(Formatted(COleDateTime(2023, 9, 3, 0, 0, 0), "%a %A %b %B"),
              "Sun Sunday Sep September");
}

TEST(OleDateFormat, DateAndTimeForms)
{
    EXPECT_EQ(Formatted(kTuesday, "%c"), "03/05/24 14:07:09");
    EXPECT_EQ(Formatted(kTuesday, "%x"), "03/05/24");
    EXPECT_EQ(Formatted(kTuesday, "%X"), "14:07:09");
    EXPECT_EQ(Formatted(kTuesday, "%#c"), "Tuesday, March 5, 2024, 14:07:09");
    EXPECT_EQ(Formatted(kTuesday, "%#x"), "Tuesday, March 5, 2024");
    EXPECT_EQ(Formatted(kTuesday, "%#X"), "14:07:09");
}

TEST(OleDateFormat, HashDropsLeadingZeros)
{
    EXPECT_EQ(Formatted(kTuesday, "%#d.%#m. %#H:%#M:%#S %#I %#j %#w"), "5.3. 14:7:9 2 65 2");
    EXPECT_EQ(Formatted(COleDateTime(2000, 1, 2, 0, 0, 0), "%#y %#U %#H %#M"), "0 1 0 0");
    // Names, %p and %% have no zeros to drop.
    EXPECT_EQ(Formatted(kTuesday, "%#a %#B %#p %#%"), "Tue March PM %");
}

TEST(OleDateFormat, LiteralTextAndUnknownCodes)
{
    EXPECT_EQ(Formatted(kTuesday, "Day %d of %B\n%H h"), "Day 05 of March\n14 h");
    EXPECT_EQ(Formatted(kTuesday, "100%% at %H"), "100% at 14");
    // "%%Y" is a per cent sign and a letter, not the year.
    EXPECT_EQ(Formatted(kTuesday, "%%Y"), "%Y");
    EXPECT_EQ(Formatted(kTuesday, "%q %#q %E %5d"), "%q %#q %E %5d");
    EXPECT_EQ(Formatted(kTuesday, "50%"), "50%");
    EXPECT_EQ(Formatted(kTuesday, "%H%#"), "14%#");
    EXPECT_EQ(Formatted(kTuesday, "%"), "%");
    EXPECT_EQ(Formatted(kTuesday, ""), "");
    EXPECT_EQ(Text(kTuesday.Format(CString(u"%H\u00b0 \u65e5 %d"))), "14\u00b0 \u65e5 05");
}

TEST(OleDateFormat, TimeZoneOfTheLocalClock)
{
    ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(Formatted(COleDateTime(2024, 1, 15, 12, 0, 0), "%z %Z"), "-0500 EST");
    EXPECT_EQ(Formatted(COleDateTime(2024, 7, 15, 12, 0, 0), "%z %Z"), "-0400 EDT");
    ScopedTimeZone india("IST-5:30");
    EXPECT_EQ(Formatted(COleDateTime(2024, 7, 15, 12, 0, 0), "%z %Z"), "+0530 IST");
}

TEST(OleDateArithmetic, AddingSpans)
{
    const COleDateTime noon(2024, 2, 28, 12, 0, 0);
    const COleDateTime later = noon + COleDateTimeSpan(1, 12, 0, 0);
    EXPECT_EQ(Formatted(later, "%Y-%m-%d %H:%M:%S"), "2024-03-01 00:00:00");
    EXPECT_EQ(Formatted(later - COleDateTimeSpan(2.0), "%Y-%m-%d %H:%M:%S"), "2024-02-28 00:00:00");

    // Twelve hours before 1899-12-30 06:00 is 1899-12-29 18:00, not -0.25.
    const COleDateTime early = COleDateTime(1899, 12, 30, 6, 0, 0) - COleDateTimeSpan(0.5);
    EXPECT_DOUBLE_EQ(early.m_dt, -1.75);
    COleDateTime moving(-1.25);
    moving += COleDateTimeSpan(0, 30, 0, 0);
    EXPECT_DOUBLE_EQ(moving.m_dt, 0.5);
    moving -= COleDateTimeSpan(0, 0, 0, 1);
    EXPECT_EQ(Formatted(moving, "%Y-%m-%d %H:%M:%S"), "1899-12-30 11:59:59");

    EXPECT_EQ((COleDateTime(2958465.0) + COleDateTimeSpan(1.0)).m_status, COleDateTime::invalid);
    COleDateTime invalidDate(2024, 2, 30, 0, 0, 0);
    EXPECT_EQ((invalidDate + COleDateTimeSpan(1.0)).m_status, COleDateTime::invalid);
}

TEST(OleDateArithmetic, DifferenceOfDates)
{
    EXPECT_DOUBLE_EQ((COleDateTime(25569.0) - COleDateTime(0.0)).m_span, 25569.0);
    // From 1899-12-30 12:00 back to 1899-12-29 06:00 is thirty hours.
    const COleDateTimeSpan back = COleDateTime(-1.25) - COleDateTime(0.5);
    EXPECT_DOUBLE_EQ(back.m_span, -1.25);
    EXPECT_EQ(Text(back.Format(CString("%D %H"))), "-1 06");
    EXPECT_DOUBLE_EQ((COleDateTime(-0.25) - COleDateTime(0.25)).m_span, 0.0);

    const COleDateTimeSpan whole = COleDateTime(9999, 12, 31, 0, 0, 0) - COleDateTime(0.0);
    EXPECT_EQ(Text(whole.Format(CString("%D"))), "2958465");

    const COleDateTime invalidDate(1.0e9);
    EXPECT_EQ((invalidDate - COleDateTime(0.0)).m_status, COleDateTimeSpan::invalid);
    EXPECT_EQ((COleDateTime(0.0) - invalidDate).m_status, COleDateTimeSpan::invalid);
}

TEST(OleDateArithmetic, ComparesMoments)
{
    // 18:00 on 1899-12-29 comes after 06:00 that day although -1.75 < -1.25.
    EXPECT_GT(COleDateTime(-1.75), COleDateTime(-1.25));
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(-0.5));
    // -0.5 is noon of the epoch's day.
    EXPECT_GT(COleDateTime(-0.5), COleDateTime(0.0));
    EXPECT_LT(COleDateTime(-1.0), COleDateTime(0.0));
    EXPECT_EQ(COleDateTime(-0.25), COleDateTime(0.25));
    EXPECT_NE(COleDateTime(0.25), COleDateTime(0.5));

    const COleDateTime invalidDate(1.0e9);
    EXPECT_FALSE(invalidDate < COleDateTime(0.0));
    EXPECT_FALSE(invalidDate > COleDateTime(0.0));
    EXPECT_FALSE(invalidDate == COleDateTime(0.0));
    EXPECT_TRUE(invalidDate == COleDateTime(-1.0e9));
}

TEST(OleDateSpan, FieldsCarryOverAndKeepTheSpansSign)
{
    const CString fields("%D %H:%M:%S");
    EXPECT_EQ(Text(COleDateTimeSpan(123, 4, 5, 6).Format(fields)), "123 04:05:06");
    EXPECT_DOUBLE_EQ(COleDateTimeSpan(123, 4, 5, 6).m_span * 86400.0, 10641906.0);
    // Fields beyond their units carry over.
    EXPECT_EQ(Text(COleDateTimeSpan(0, 25, 61, 61).Format(fields)), "1 02:02:01");

    EXPECT_EQ(Text(COleDateTimeSpan(-1.5).Format(fields)), "-1 12:00:00");
    const COleDateTimeSpan shortSpan(0, -2, -30, -15);
    EXPECT_EQ(Text(shortSpan.Format(fields)), "-0 02:30:15");
    EXPECT_DOUBLE_EQ(shortSpan.m_span * 86400.0, -9015.0);
}

TEST(OleDateSpan, RoundsToTheNearestSecond)
{
    const CString fields("%D %H:%M:%S");
    EXPECT_EQ(Text(COleDateTimeSpan(0.999999999).Format(fields)), "1 00:00:00");
    EXPECT_EQ(Text(COleDateTimeSpan(0.4 * kSecond).Format(fields)), "0 00:00:00");
    EXPECT_EQ(Text(COleDateTimeSpan(0.6 * kSecond).Format(fields)), "0 00:00:01");
    EXPECT_EQ(Text(COleDateTimeSpan(-0.6 * kSecond).Format(fields)), "-0 00:00:01");
    EXPECT_EQ(Text(COleDateTimeSpan(-0.999999999).Format(fields)), "-1 00:00:00");
}

TEST(OleDateSpanFormat, DaysHoursMinutesSeconds)
{
    EXPECT_EQ(Text(COleDateTimeSpan(123, 4, 5, 6).Format(CString("%D days %H:%M:%S"))),
              "123 days 04:05:06");
    EXPECT_EQ(Text(COleDateTimeSpan(0, 23, 59, 59).Format(CString("%D/%H/%M/%S"))), "0/23/59/59");
    EXPECT_EQ(Text(COleDateTimeSpan(100000, 0, 0, 0).Format(CString("%D"))), "100000");
    EXPECT_EQ(Text(COleDateTimeSpan(-1.5).Format(CString("%D %H:%M:%S"))), "-1 12:00:00");
    EXPECT_EQ(Text(COleDateTimeSpan(0, -2, -30, 0).Format(CString("%H:%M"))), "-02:30");
    EXPECT_EQ(Text(COleDateTimeSpan(3.0).Format(CString("%D%% %q %"))), "3% %q %");
    EXPECT_EQ(Text(COleDateTimeSpan(3.0).Format(CString("%D\nend"))), "3\nend");
}

TEST(OleDateSpanFormat, InvalidAndNullSpans)
{
    COleDateTimeSpan span(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(span.m_status, COleDateTimeSpan::invalid);
    EXPECT_EQ(Text(span.Format(CString("%D"))), "Invalid DateTimeSpan");
    EXPECT_EQ(COleDateTimeSpan(std::numeric_limits<double>::infinity()).m_status,
              COleDateTimeSpan::invalid);
    span = COleDateTimeSpan(2.0);
    span.m_status = COleDateTimeSpan::null;
    EXPECT_EQ(Text(span.Format(CString("%D"))), "");
}

TEST(OleDateSpan, Arithmetic)
{
    const COleDateTimeSpan day(1.0);
    const COleDateTimeSpan twoDays(2.0);
    EXPECT_DOUBLE_EQ((day - twoDays).m_span, -1.0);
    EXPECT_DOUBLE_EQ((day + twoDays).m_span, 3.0);
    EXPECT_DOUBLE_EQ((-twoDays).m_span, -2.0);
    EXPECT_LT(day - twoDays, day);
    EXPECT_EQ(day + day, twoDays);

    COleDateTimeSpan invalidSpan(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ((day + invalidSpan).m_status, COleDateTimeSpan::invalid);
    EXPECT_EQ((COleDateTime(0.0) + invalidSpan).m_status, COleDateTime::invalid);
}
