// Application-wide set-up shared by the program and its UI tests.
#pragma once

class QApplication;

namespace brindle::ui {

// Names the program and installs the Russian texts of Qt's own buttons.
void setUpApplication(QApplication& app);

}  // namespace brindle::ui
