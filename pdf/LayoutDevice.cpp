#include "pdf/LayoutDevice.h"

namespace corvane {

int LayoutDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return size_.width() * 254 / (10 * dotsPerInch_);
    case PdmHeightMM:
        return size_.height() * 254 / (10 * dotsPerInch_);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dotsPerInch_;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace corvane
