#include "vcl/DateTimes.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <cmath>

#include "qt/QtConvert.h"
#include "vcl/SysUtils.h"

namespace {

const QDate kEpoch(1899, 12, 30);

QDate DateOf(TDateTime value) { return kEpoch.addDays(static_cast<qint64>(std::floor(value))); }

}  // namespace

TDateTime EncodeDate(int Year, int Month, int Day) {
  const QDate date(Year, Month, Day);
  if (!date.isValid()) throw EConvertError("Invalid argument to date encode");
  return static_cast<TDateTime>(kEpoch.daysTo(date));
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond) {
  if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || MilliSecond < 0 ||
      MilliSecond > 999)
    throw EConvertError("Invalid argument to time encode");
  return ((Hour * 60 + Minute) * 60 + Second + MilliSecond / 1000.0) / 86400.0;
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) { DateOf(Value).getDate(&Year, &Month, &Day); }

TDateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QTime time = now.time();
  return EncodeDate(now.date().year(), now.date().month(), now.date().day()) +
         EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

std::string DateToStr(TDateTime Value) {
  return FromQString(QLocale::system().toString(DateOf(Value), QLocale::ShortFormat));
}

std::string TimeToStr(TDateTime Value) {
  const double fraction = Value - std::floor(Value);
  const QTime time = QTime(0, 0).addMSecs(static_cast<int>(std::lround(fraction * 86400000.0)) % 86400000);
  return FromQString(QLocale::system().toString(time, QLocale::ShortFormat));
}
