// The labels and links a form paints itself instead of making windows of them: how they are drawn,
// which one a click lands on, and the links as screen readers are told of them.
#pragma once

#include <windows.h>

#include <vector>

#include "forms/form_table.h"
#include "forms/scaled_resources.h"
#include "runtime/accessible.h"

namespace vornacle::forms {

class PaintedLabels final : public LinkSource {
 public:
  // The table and the scale are the form's own, and live as long as it.
  PaintedLabels(const FormSpec& spec, const ScaledResources& scale) : spec_(spec), scale_(scale) {}

  // The label or link under a client point, or 0.
  int At(POINT client_point) const;
  bool IsLink(int id) const;
  void Paint(HDC dc) const;
  // The links, where they are drawn now.
  std::vector<AccessibleLink> Links() const override;

  // A press of the left button at a client point, and its release: the label to click, or 0. The
  // label is clicked only where both land on it.
  void Press(LPARAM client_point);
  int Release(LPARAM client_point);

 private:
  const FormSpec& spec_;
  const ScaledResources& scale_;
  int pressed_ = 0;
};

}  // namespace vornacle::forms
