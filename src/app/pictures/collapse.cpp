#include "collapse.h"

namespace skarde::gui {

std::vector<TwipsRect> collapseSteps(double width, double height, double screenWidth,
                                     double screenHeight) {
    std::vector<TwipsRect> steps;
    const double stepCount = height / kCollapseStepTwips;
    TwipsRect box{0, 0, width, height};
    for (int step = 1; step <= stepCount; ++step) {
        box.height -= kCollapseStepTwips;
        box.top = (screenHeight - box.height) / 2;
        box.width -= kCollapseStepTwips;
        box.left = (screenWidth - box.width) / 2;
        steps.push_back(box);
        if (box.width <= 11) {
            break;
        }
    }
    return steps;
}

} // namespace skarde::gui
