#pragma once
// TLCDate carries the moment the program was built: the About boxes and the support mail show it.
#include <string>

#include "vcl/Classes.h"
#include "vcl/DateTimes.h"

class TLCDate : public TComponent {
 public:
  // LCDate starts as the build time of this program (local time of the build machine).
  explicit TLCDate(TComponent* AOwner);
  std::string ClassName() const override { return "TLCDate"; }

  TDateTime LCDate = 0;
  // Would refresh LCDate when the window description is stored at design time, which this
  // platform does not have; kept for the component's shape.
  bool AU_LCD = true;
};
