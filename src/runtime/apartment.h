// The window thread's COM apartment: screen readers in other processes reach the forms' objects
// through it, and the shell and the About picture need it.
#pragma once

namespace vornacle {

// Taken while the object lives. Without OLE the windows still work; only what needs it does not.
class Apartment {
 public:
  Apartment();
  ~Apartment();
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  bool held_ = false;
};

}  // namespace vornacle
