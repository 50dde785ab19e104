#pragma once
// Qt's event dispatch must never be unwound by an exception, so every handler the
// program connects runs through guarded(): whatever escapes the handler is caught
// here and reported by the default error handler, and the event loop goes on. A
// conversion error is reported from the text it carries, whole, not from what().
//
//   connect(button, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));

#include <functional>
#include <utility>

// Runs the handler, reporting any escaping error through MessageBoxes::showError.
void runGuarded(const std::function<void()>& handler) noexcept;

template <typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)]() {
        runGuarded(handler);
    };
}
