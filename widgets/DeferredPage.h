#pragma once

#include <QWidget>

namespace corvane {

// A tab page whose controls are made the first time it is shown, or the first time the program
// needs one of them, rather than while the window is built: a tab the user has not opened yet
// costs nothing at start-up, and looks the same once opened.
class DeferredPage : public QWidget {
    Q_OBJECT

public:
    explicit DeferredPage(QWidget* parent = nullptr);

    bool IsBuilt() const { return built_; }
    // Makes the controls now, unless they are made already.
    void EnsureBuilt();

protected:
    // Makes the page's controls; called once.
    virtual void Build() = 0;
    void showEvent(QShowEvent* event) override;

private:
    bool built_ = false;
};

} // namespace corvane
