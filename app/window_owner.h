#pragma once
// Owns one instance of every window for the whole run. The splash comes first and
// on its own, so that it is on screen before anything else is built; the others
// follow in their fixed order with the questionnaire window first, which makes it
// the main window. Nothing else in the program creates windows. The windows are
// destroyed together, in reverse order, when the owner goes.

#include "survey_model.h"
#include "window_set.h"

#include <QStringList>
#include <memory>

class WindowOwner {
public:
    WindowOwner();
    ~WindowOwner();
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;

    // Creates the splash, shows it and paints it at once.
    void createSplash();
    // Creates the remaining windows in their order.
    void createWindows();
    // Shows the main window, once the splash is on screen.
    void showMainWindow();

    const WindowSet& windows() const { return m_windows; }
    // The object names of the windows in the order they were created.
    const QStringList& creationOrder() const { return m_creationOrder; }

private:
    template <typename Window> Window* create(std::unique_ptr<Window>& slot, Window*& view);

    SurveyModel m_model;
    WindowSet m_windows;
    QStringList m_creationOrder;

    // Declared in creation order, so that they are destroyed in reverse.
    std::unique_ptr<TZast> m_zast;
    std::unique_ptr<TTandemo> m_tandemo;
    std::unique_ptr<TInfo> m_info;
    std::unique_ptr<TResults> m_results;
    std::unique_ptr<TAboutBox> m_aboutBox;
    std::unique_ptr<TSpecHelp> m_specHelp;
    std::unique_ptr<TAttract> m_attract;
};
