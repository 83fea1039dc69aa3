#include "core/centerform.h"

namespace motoreckon {

void CenterForm(const CenterParent& parent, CenterChild& child) {
    const bool frame = parent.IsMdiFrame();
    const float childWidth = child.Width();
    const float parentWidth = frame ? parent.ScaleWidth() : parent.Width();
    child.SetLeft((parentWidth - childWidth) / 2.0f);
    const float childHeight = child.Height();
    const float parentHeight = frame ? parent.ScaleHeight() : parent.Height();
    child.SetTop((parentHeight - childHeight) / 2.0f);
}

}  // namespace motoreckon
