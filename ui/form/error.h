// The one exception type of the form layer.
#pragma once
#include <stdexcept>
#include <string>

namespace form {

// Raised for misuse that a caller can survive: an item index outside a list, a component
// asked for by a name the form does not have (or of another kind), a picture that cannot be
// read. A handler that lets it escape is stopped at the window-procedure boundary and the
// message is shown in the application's error box.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace form
