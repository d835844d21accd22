#pragma once
// Single- and multi-line edit boxes. The text is CP936; the maximum length
// counts CP936 bytes, as the service counts them, not characters.
#include <optional>

#include <FL/Fl_Input.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

enum class Lines { Single, Multiple };

struct EditBoxLook {
  Lines lines = Lines::Single;
  Border border = Border::Sunken;
  Colour textColour = kBlack;
  Colour background = kWhite;
};

class EditBox : public Fl_Input {
 public:
  EditBox(Rect place, EditBoxLook look, std::optional<int> maxBytes = std::nullopt);

  Text text() const;
  // Programmatic writes are not cut to the maximum length; typing and pasting are.
  void SetText(const Text& text);
  std::optional<int> maxBytes() const { return maxBytes_; }

  int handle(int event) override;

 private:
  void TrimInsertedOverflow();

  std::optional<int> maxBytes_;
};

}  // namespace vantorel::ui
