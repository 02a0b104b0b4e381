#pragma once
// Date-times of the run-time library: days since 30 December 1899, the fraction the time of day.
#include <string>

using TDateTime = double;

// EConvertError for a day or time that does not exist.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond);
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
TDateTime Now();
// The date in the system's short date format.
std::string DateToStr(TDateTime Value);
// The time of day in the system's short time format.
std::string TimeToStr(TDateTime Value);
