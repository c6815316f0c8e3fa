// The bridge's application object: one running copy; a second copy started with "q" stops it.
#pragma once
#include "application.h"

namespace bridge {

class KeyBridgeApp : public dialog::Application {
 protected:
  bool InitInstance() override;
};

}  // namespace bridge
