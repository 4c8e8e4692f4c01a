#include "widgets/DeferredPage.h"

namespace corvane {

DeferredPage::DeferredPage(QWidget* parent) : QWidget(parent) {}

void DeferredPage::EnsureBuilt() {
    if (built_) {
        return;
    }
    built_ = true;
    Build();
    // Children made inside a page already on screen stay hidden until they are shown themselves.
    if (isVisible()) {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
                child->show();
            }
        }
    }
}

// The controls are made before the page is painted for the first time.
void DeferredPage::showEvent(QShowEvent* event) {
    EnsureBuilt();
    QWidget::showEvent(event);
}

} // namespace corvane
