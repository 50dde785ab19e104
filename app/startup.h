#pragma once
// The program's start-up and run: the splash first, then every other window in its
// order, then the event loop with the main window shown. Closing the main window
// ends the loop; the windows are destroyed together on the way out.

class QApplication;

int runTandemo(QApplication& application);
