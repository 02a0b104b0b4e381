#pragma once
// The About box: the product's picture with name, version and credits, and its links.
#include <array>
#include <string>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace Corvane {

// The hand shown over the box's links.
inline constexpr TCursor crMyHand = -98;

class TAboutForm : public TForm {
 public:
  explicit TAboutForm(TComponent* AOwner);
  std::string ClassName() const override { return "TAboutForm"; }

  TPanel* Picture;
  // The six link areas; each opens the address it carries.
  std::array<TButton*, 6> Links{};
  TButton* CloseButton;

  void FormCreate(TObject* Sender);
  void LinkClick(TObject* Sender);

 private:
  void CreatePicture();
};

// The web and mail addresses behind the link areas, in their order.
extern const char* const kAboutLinks[6][2];

}  // namespace Corvane
