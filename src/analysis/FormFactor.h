// Theoretical form factors (particle scattering factors) Pz(q) of the four
// particle models and a user-defined table, and their twelve plot forms.
#pragma once

#include <optional>

namespace zeb {

class MessageSink;
class SmoothingSpline;

enum FormFactorModel : int {
    kModelCoilMono = 1,   // Debye coil, s = Rg
    kModelCoilPoly = 2,   // polydisperse coil, Mw/Mn = 2, s = Rg
    kModelThinRod = 3,    // s = L = Rg sqrt(12)
    kModelHardSphere = 4, // s = Rs = Rg sqrt(5/3)
    kModelUser = 5,       // the user's spline of Pz over q
};
inline constexpr int kModelCount = 5;
inline constexpr int kPlotFormCount = 12;

// The factor that turns Rg into the model's size parameter s.
double ModelSizeFactor(int model);

// The sine integral Si(x): a series below 1, the rational approximations of
// Abramowitz and Stegun 5.2.38/5.2.39 from 1 on.
double SineIntegral(double x);

// Pz of models 1..4 at x = q s.
double ModelPz(int model, double x);

// A point of a plot form.
struct FormFactorXY {
    double x = 0.0;
    double y = 0.0;
};

// The x of a plot form at q (cm⁻¹) for Rg (cm): q², q, u² or u with u = q Rg.
double PlotFormX(int form, double q, double rgCm);

// The point of a theoretical curve at q for the plot form and model. Empty when
// Pz is below 1e-100 in a form that divides by Pz or takes its logarithm (the
// caller leaves that q out), or when the result is not finite. An unknown plot
// form shows "FormFactor: Undef. Plot" when a message sink is given.
std::optional<FormFactorXY> FormFactorPoint(int form, int model, double q, double rgCm,
                                            const SmoothingSpline* userSpline, MessageSink* messages);

// Pz of a model at q (cm⁻¹) for Rg (cm); model 5 evaluates the user spline.
double FormFactorPz(int model, double q, double rgCm, const SmoothingSpline* userSpline);

} // namespace zeb
