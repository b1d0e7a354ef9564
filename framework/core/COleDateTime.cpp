#include "COleDateTime.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// 1899-12-30, the OLE epoch, counted from 1970-01-01.
constexpr std::int64_t kEpochUnixDay = -25569;
// 0100-01-01 and 10000-01-01 in days from the OLE epoch: valid dates lie from
// the first up to, but not including, the second.
constexpr std::int64_t kFirstValidDay = -657434;
constexpr std::int64_t kEndValidDay = 2958466;
// Beyond this many days a span is no longer counted to the second.
constexpr double kLargestSpanDays = 1.0e9;

// The fields of a date, each as strftime counts it.
struct DateFields
{
    int year;
    int month;   // 1..12
    int day;     // 1..31
    int hour;    // 0..23
    int minute;  // 0..59
    int second;  // 0..59
    int weekday; // 0 for Sunday
    int yearDay; // 0 for the first of January
};

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

// Days from the OLE epoch to a calendar date; nothing when the date does not exist.
std::optional<std::int64_t> DayNumber(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok())
        return std::nullopt;
    return std::chrono::sys_days(date).time_since_epoch().count() - kEpochUnixDay;
}

// Seconds from the OLE epoch, forward in time, to the moment an OLE date
// names, rounded to the nearest second; nothing outside the valid years.
std::optional<std::int64_t> MomentSeconds(DATE value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(kEndValidDay + 1))
        return std::nullopt;
    const double day = std::trunc(value);
    const double timeOfDay = std::fabs(value - day) * static_cast<double>(kSecondsPerDay);
    const std::int64_t seconds = static_cast<std::int64_t>(day) * kSecondsPerDay +
                                 static_cast<std::int64_t>(std::round(timeOfDay));
    if (seconds < kFirstValidDay * kSecondsPerDay || seconds >= kEndValidDay * kSecondsPerDay)
        return std::nullopt;
    return seconds;
}

bool IsValidDate(DATE value)
{
    return MomentSeconds(value).has_value();
}

// Days from the epoch forward in time, so that differences are true lengths.
double LinearDays(DATE value)
{
    if (value >= 0.0)
        return value;
    const double day = std::trunc(value);
    return day + (day - value);
}

// The OLE date of a moment given in days forward from the epoch.
DATE FromLinearDays(double days)
{
    if (days >= 0.0)
        return days;
    const double day = std::floor(days);
    return day - (days - day);
}

DATE FromDayAndTime(std::int64_t day, int hour, int minute, int second)
{
    const double timeOfDay = static_cast<double>(hour * 3600 + minute * 60 + second) /
                             static_cast<double>(kSecondsPerDay);
    const double whole = static_cast<double>(day);
    return day >= 0 ? whole + timeOfDay : whole - timeOfDay;
}

std::optional<DateFields> SplitDate(DATE value)
{
    const std::optional<std::int64_t> seconds = MomentSeconds(value);
    if (!seconds)
        return std::nullopt;
    const std::int64_t dayNumber = FloorDivide(*seconds, kSecondsPerDay);
    const int secondOfDay = static_cast<int>(*seconds - dayNumber * kSecondsPerDay);

    const std::chrono::sys_days day{std::chrono::days(dayNumber + kEpochUnixDay)};
    const std::chrono::year_month_day date{day};
    const std::chrono::sys_days newYear{date.year() / std::chrono::January / 1};

    DateFields fields{};
    fields.year = static_cast<int>(date.year());
    fields.month = static_cast<int>(static_cast<unsigned>(date.month()));
    fields.day = static_cast<int>(static_cast<unsigned>(date.day()));
    fields.hour = secondOfDay / 3600;
    fields.minute = secondOfDay / 60 % 60;
    fields.second = secondOfDay % 60;
    fields.weekday = static_cast<int>(std::chrono::weekday(day).c_encoding());
    fields.yearDay = static_cast<int>((day - newYear).count());
    return fields;
}

constexpr std::string_view kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::string_view kMonthNames[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};

void AppendAscii(std::u16string& out, std::string_view text)
{
    for (char c : text)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

// A number padded with zeros to the width, or without leading zeros.
void AppendNumber(std::u16string& out, std::int64_t value, int width, bool trimZeros)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (!trimZeros && digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    if (value < 0)
        out.push_back(u'-');
    AppendAscii(out, digits);
}

// The date on the local clock, whose time zone %z and %Z show.
QDateTime LocalDateTime(const DateFields& fields)
{
    return QDateTime(QDate(fields.year, fields.month, fields.day),
                     QTime(fields.hour, fields.minute, fields.second), Qt::LocalTime);
}

// The offset from UTC as +hhmm.
void AppendZoneOffset(std::u16string& out, const DateFields& fields)
{
    const int offset = LocalDateTime(fields).offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    out.push_back(offset < 0 ? u'-' : u'+');
    AppendNumber(out, minutes / 60, 2, false);
    AppendNumber(out, minutes % 60, 2, false);
}

void AppendZoneName(std::u16string& out, const DateFields& fields)
{
    out += CString::FromQString(LocalDateTime(fields).timeZoneAbbreviation()).Text();
}

void AppendDate(std::u16string& out, const DateFields& fields, std::u16string_view pattern);

// Appends the text of one conversion; false when the code is not one of strftime's.
bool AppendConversion(std::u16string& out, const DateFields& fields, char16_t code, bool alternate)
{
    switch (code) {
    case u'a':
        AppendAscii(out, kWeekdayNames[fields.weekday].substr(0, 3));
        return true;
    case u'A':
        AppendAscii(out, kWeekdayNames[fields.weekday]);
        return true;
    case u'b':
        AppendAscii(out, kMonthNames[fields.month - 1].substr(0, 3));
        return true;
    case u'B':
        AppendAscii(out, kMonthNames[fields.month - 1]);
        return true;
    case u'c':
        AppendDate(out, fields, alternate ? u"%A, %B %#d, %Y, %H:%M:%S" : u"%m/%d/%y %H:%M:%S");
        return true;
    case u'd':
        AppendNumber(out, fields.day, 2, alternate);
        return true;
    case u'H':
        AppendNumber(out, fields.hour, 2, alternate);
        return true;
    case u'I':
        AppendNumber(out, fields.hour % 12 == 0 ? 12 : fields.hour % 12, 2, alternate);
        return true;
    case u'j':
        AppendNumber(out, fields.yearDay + 1, 3, alternate);
        return true;
    case u'm':
        AppendNumber(out, fields.month, 2, alternate);
        return true;
    case u'M':
        AppendNumber(out, fields.minute, 2, alternate);
        return true;
    case u'p':
        AppendAscii(out, fields.hour < 12 ? "AM" : "PM");
        return true;
    case u'S':
        AppendNumber(out, fields.second, 2, alternate);
        return true;
    case u'U':
        // Weeks begin on Sunday; days before the first Sunday are in week 0.
        AppendNumber(out, (fields.yearDay + 7 - fields.weekday) / 7, 2, alternate);
        return true;
    case u'w':
        AppendNumber(out, fields.weekday, 1, alternate);
        return true;
    case u'W':
        // Weeks begin on Monday; days before the first Monday are in week 0.
        AppendNumber(out, (fields.yearDay + 7 - (fields.weekday + 6) % 7) / 7, 2, alternate);
        return true;
    case u'x':
        AppendDate(out, fields, alternate ? u"%A, %B %#d, %Y" : u"%m/%d/%y");
        return true;
    case u'X':
        AppendDate(out, fields, u"%H:%M:%S");
        return true;
    case u'y':
        AppendNumber(out, fields.year % 100, 2, alternate);
        return true;
    case u'Y':
        AppendNumber(out, fields.year, 1, alternate);
        return true;
    case u'z':
        AppendZoneOffset(out, fields);
        return true;
    case u'Z':
        AppendZoneName(out, fields);
        return true;
    case u'%':
        out.push_back(u'%');
        return true;
    default:
        return false;
    }
}

void AppendDate(std::u16string& out, const DateFields& fields, std::u16string_view pattern)
{
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != u'%') {
            out.push_back(pattern[i++]);
            continue;
        }
        const std::size_t start = i++;
        const bool alternate = i < pattern.size() && pattern[i] == u'#';
        if (alternate)
            ++i;
        if (i < pattern.size() && AppendConversion(out, fields, pattern[i], alternate)) {
            ++i;
            continue;
        }
        // Not a conversion: the '%', the flag and the character after them
        // are copied as they stand.
        if (i < pattern.size())
            ++i;
        out.append(pattern.substr(start, i - start));
    }
}

// A span in seconds, rounded to the nearest second; nothing when it is not a
// finite length that the second count can hold.
std::optional<std::int64_t> SpanSeconds(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > kLargestSpanDays)
        return std::nullopt;
    return static_cast<std::int64_t>(std::round(days * static_cast<double>(kSecondsPerDay)));
}

// The fields of a date that is valid, nothing otherwise.
std::optional<DateFields> FieldsOf(const COleDateTime& date)
{
    return date.m_status == COleDateTime::valid ? SplitDate(date.m_dt) : std::nullopt;
}

} // namespace

COleDateTime::COleDateTime(DATE value) : m_dt(value), m_status(IsValidDate(value) ? valid : invalid)
{
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return COleDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                        time.second());
}

COleDateTime& COleDateTime::operator=(DATE value)
{
    m_dt = value;
    m_status = IsValidDate(value) ? valid : invalid;
    return *this;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    const std::optional<std::int64_t> dayNumber =
        (year >= 100 && year <= 9999) ? DayNumber(year, month, day) : std::nullopt;
    if (!dayNumber || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = FromDayAndTime(*dayNumber, hour, minute, second);
    m_status = valid;
    return 0;
}

int COleDateTime::GetYear() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->year : -1;
}

int COleDateTime::GetMonth() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->month : -1;
}

int COleDateTime::GetDay() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->day : -1;
}

int COleDateTime::GetHour() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->hour : -1;
}

int COleDateTime::GetMinute() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->minute : -1;
}

int COleDateTime::GetSecond() const
{
    const std::optional<DateFields> fields = FieldsOf(*this);
    return fields ? fields->second : -1;
}

CString COleDateTime::Format(const CString& pattern) const
{
    if (m_status == null)
        return CString();
    const std::optional<DateFields> fields = FieldsOf(*this);
    if (!fields)
        return CString("Invalid DateTime");
    std::u16string out;
    AppendDate(out, *fields, pattern.Text());
    return CString(std::move(out));
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    if (m_status != valid || span.m_status != COleDateTimeSpan::valid) {
        m_status = invalid;
        return *this;
    }
    *this = FromLinearDays(LinearDays(m_dt) + span.m_span);
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    return *this += -span;
}

COleDateTimeSpan operator-(const COleDateTime& left, const COleDateTime& right)
{
    COleDateTimeSpan span(LinearDays(left.m_dt) - LinearDays(right.m_dt));
    if (left.m_status != COleDateTime::valid || right.m_status != COleDateTime::valid)
        span.m_status = COleDateTimeSpan::invalid;
    return span;
}

bool operator==(const COleDateTime& left, const COleDateTime& right)
{
    if (left.m_status != right.m_status)
        return false;
    return left.m_status != COleDateTime::valid || LinearDays(left.m_dt) == LinearDays(right.m_dt);
}

std::partial_ordering operator<=>(const COleDateTime& left, const COleDateTime& right)
{
    if (left.m_status != COleDateTime::valid || right.m_status != COleDateTime::valid)
        return std::partial_ordering::unordered;
    return LinearDays(left.m_dt) <=> LinearDays(right.m_dt);
}

COleDateTimeSpan::COleDateTimeSpan(double days)
    : m_span(days), m_status(SpanSeconds(days) ? valid : invalid)
{
}

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    const double totalSeconds = static_cast<double>(days) * static_cast<double>(kSecondsPerDay) +
                                hours * 3600.0 + minutes * 60.0 + seconds;
    m_span = totalSeconds / static_cast<double>(kSecondsPerDay);
    m_status = SpanSeconds(m_span) ? valid : invalid;
}

CString COleDateTimeSpan::Format(const CString& pattern) const
{
    if (m_status == null)
        return CString();
    const std::optional<std::int64_t> seconds =
        m_status == valid ? SpanSeconds(m_span) : std::nullopt;
    if (!seconds)
        return CString("Invalid DateTimeSpan");
    const std::int64_t length = *seconds < 0 ? -*seconds : *seconds;

    std::u16string out;
    if (*seconds < 0)
        out.push_back(u'-');
    const std::u16string& text = pattern.Text();
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != u'%' || i + 1 == text.size()) {
            out.push_back(text[i++]);
            continue;
        }
        const char16_t code = text[i + 1];
        i += 2;
        switch (code) {
        case u'D':
            AppendNumber(out, length / kSecondsPerDay, 1, false);
            break;
        case u'H':
            AppendNumber(out, length / 3600 % 24, 2, false);
            break;
        case u'M':
            AppendNumber(out, length / 60 % 60, 2, false);
            break;
        case u'S':
            AppendNumber(out, length % 60, 2, false);
            break;
        case u'%':
            out.push_back(u'%');
            break;
        default:
            out.push_back(u'%');
            out.push_back(code);
            break;
        }
    }
    return CString(std::move(out));
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other)
{
    const bool bothValid = m_status == valid && other.m_status == valid;
    m_span += other.m_span;
    m_status = bothValid && SpanSeconds(m_span) ? valid : invalid;
    return *this;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other)
{
    return *this += -other;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan negated(-m_span);
    negated.m_status = m_status;
    return negated;
}

bool operator==(const COleDateTimeSpan& left, const COleDateTimeSpan& right)
{
    if (left.m_status != right.m_status)
        return false;
    return left.m_status != COleDateTimeSpan::valid || left.m_span == right.m_span;
}

std::partial_ordering operator<=>(const COleDateTimeSpan& left, const COleDateTimeSpan& right)
{
    if (left.m_status != COleDateTimeSpan::valid || right.m_status != COleDateTimeSpan::valid)
        return std::partial_ordering::unordered;
    return left.m_span <=> right.m_span;
}
