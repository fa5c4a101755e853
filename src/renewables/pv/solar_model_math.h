// Arithmetic shared by the photovoltaic and solar water-heating models: they
// work in double precision with angles in degrees at every interface.
#pragma once
#include <cmath>

namespace mavo::solarmodel {

// Degrees to radians as the solar models convert: pi/180 rounded to single
// precision and widened, the one factor of both models.
constexpr double kDegToRad = 0.01745329238474369;
static_assert(kDegToRad == static_cast<double>(0.017453292f));

// A model constant written in single precision and widened to double: the
// models' worked numbers depend on these exact values.
constexpr double widened(float value) { return static_cast<double>(value); }

inline double deg_to_rad(double angle_deg) { return angle_deg * kDegToRad; }
inline double sind(double angle_deg) { return std::sin(angle_deg * kDegToRad); }
inline double cosd(double angle_deg) { return std::cos(angle_deg * kDegToRad); }
inline double tand(double angle_deg) { return std::tan(angle_deg * kDegToRad); }
inline double asind(double x) { return std::asin(x) / kDegToRad; }
inline double acosd(double x) { return std::acos(x) / kDegToRad; }

}  // namespace mavo::solarmodel
