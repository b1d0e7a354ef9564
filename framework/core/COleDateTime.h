#pragma once

#include "CString.h"

#include <compare>

// An OLE automation date: days since 1899-12-30 00:00:00, the fraction being
// the time of day. Before the epoch the whole number still names the day and the
// fraction still counts forward from that day's midnight, so -1.25 is
// 1899-12-29 06:00 and -0.25 is the same moment as 0.25. Every field is read
// after rounding to the nearest second.
using DATE = double;

class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    // The epoch, valid.
    COleDateTime() = default;
    // Valid when the value is a date from year 100 to 9999, invalid otherwise.
    COleDateTime(DATE value);
    // Invalid, with the value 0, when a field is out of range.
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    // The local date and time to the second.
    static COleDateTime GetCurrentTime();

    COleDateTime& operator=(DATE value);
    operator DATE() const { return m_dt; }

    // Sets the value and makes it valid; returns 0. When a field is out of
    // range (year 100..9999, month 1..12, the days of that month, hour 0..23,
    // minute and second 0..59) sets the value 0 and the status invalid and
    // returns 1.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    // The fields of a valid date, -1 when it is invalid or null.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    // The text of the date after the C library's strftime in the C locale:
    // %a %A %b %B %c %d %H %I %j %m %M %p %S %U %w %W %x %X %y %Y %z %Z and %%,
    // with the '#' flag dropping leading zeros of numbers and giving the long
    // form of %c and %x. %z and %Z give the local time zone's offset and
    // abbreviation at that date. Other codes and a '%' ending the pattern are
    // copied as they stand. "Invalid DateTime" for an invalid date, empty for
    // a null one.
    CString Format(const CString& pattern) const;

    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    friend COleDateTime operator+(COleDateTime date, const COleDateTimeSpan& span)
    {
        date += span;
        return date;
    }
    friend COleDateTime operator-(COleDateTime date, const COleDateTimeSpan& span)
    {
        date -= span;
        return date;
    }
    // The time from right to left; invalid unless both are valid.
    friend COleDateTimeSpan operator-(const COleDateTime& left, const COleDateTime& right);

    // Valid dates compare by the moment they name; a date that is not valid
    // is unordered and equals only a date of the same status.
    friend bool operator==(const COleDateTime& left, const COleDateTime& right);
    friend std::partial_ordering operator<=>(const COleDateTime& left, const COleDateTime& right);

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

// A length of time in days, negative when it runs backwards. Its fields are
// read after rounding to the nearest second.
class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days);
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);

    // %D the whole days, %H %M %S the hours, minutes and seconds left over as
    // two digits, %% a per cent sign; a negative span begins with '-'. Other
    // codes and a '%' ending the pattern are copied as they stand.
    // "Invalid DateTimeSpan" for an invalid span, empty for a null one.
    CString Format(const CString& pattern) const;

    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);
    friend COleDateTimeSpan operator+(COleDateTimeSpan left, const COleDateTimeSpan& right)
    {
        left += right;
        return left;
    }
    friend COleDateTimeSpan operator-(COleDateTimeSpan left, const COleDateTimeSpan& right)
    {
        left -= right;
        return left;
    }
    COleDateTimeSpan operator-() const;

    friend bool operator==(const COleDateTimeSpan& left, const COleDateTimeSpan& right);
    friend std::partial_ordering operator<=>(const COleDateTimeSpan& left,
                                             const COleDateTimeSpan& right);

    double m_span = 0.0;
    DateTimeSpanStatus m_status = valid;
};
