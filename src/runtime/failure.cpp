// Maps whatever was thrown onto the one failure shape that error guards report.
#include "runtime/failure.h"

#include <exception>
#include <new>

namespace vornacle {

RuntimeFailure CurrentFailure() {
  try {
    throw;
  } catch (const RuntimeFailure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return {kErrOutOfMemory, "Out of memory"};
  } catch (const std::exception& e) {
    return {kErrInternal, std::string("Internal error: ") + e.what()};
  } catch (...) {
    return {kErrInternal, "Internal error"};
  }
}

}  // namespace vornacle
