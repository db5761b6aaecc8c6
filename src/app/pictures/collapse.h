#pragma once

// The About box's closing animation: the box shrinks by 12 twips in each direction per step
// while its centre stays at the centre of the screen. Sizes stay real numbers of twips here;
// the window rounds them to pixels only when it moves.

#include <vector>

namespace skarde::gui {

inline constexpr double kCollapseStepTwips = 12.0;

struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Every geometry the box takes, in order. The starting height fixes the number of steps
// (height / 12, a real number, rounded down); a box that gets no wider than 11 twips stops
// after that step.
std::vector<TwipsRect> collapseSteps(double width, double height, double screenWidth,
                                     double screenHeight);

} // namespace skarde::gui
