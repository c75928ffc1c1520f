// Application-wide set-up shared by the program and its UI tests.
#pragma once

namespace brindle::qt {

// Names the program, sets its font and lets screen readers in.
void setUpApplication();

}  // namespace brindle::qt
