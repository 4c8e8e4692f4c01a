#pragma once

#include <QPaintDevice>
#include <QSize>

namespace corvane {

// What text is laid out for when it goes to a PDF page: the page's size and resolution, with
// nothing to draw on.
class LayoutDevice final : public QPaintDevice {
public:
    LayoutDevice(QSize size, int dotsPerInch) : size_(size), dotsPerInch_(dotsPerInch) {}

    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    int dotsPerInch_;
};

} // namespace corvane
