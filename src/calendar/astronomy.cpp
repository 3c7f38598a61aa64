#include "calendar/astronomy.h"

#include <array>
#include <cmath>
#include <numbers>

namespace qv::astro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180.0;

// Reduces an angle in degrees to [0, 360).
double Normalized(double degrees) {
  const double r = std::fmod(degrees, 360.0);
  return r < 0 ? r + 360.0 : r;
}
// An angle in degrees as radians in [0, 2π): sines of its small multiples stay cheap and exact.
double Turn(double degrees) { return Normalized(degrees) * kDegree; }
// Reduces an angle in degrees to (−180, 180].
double Signed(double degrees) {
  const double r = Normalized(degrees);
  return r > 180.0 ? r - 360.0 : r;
}

// --- ΔT ---------------------------------------------------------------------------------------

// The polynomials of Espenak and Meeus from 1500 on; before 1500 and after 2150 the long-term
// parabola of Morrison and Stephenson (2004), −20 + 32u², u in centuries from 1820.
double DeltaTPolynomial(double y) {
  if (y < 1500.0 || y >= 2150.0) {
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
  }
  if (y < 1600.0) {
    const double u = (y - 1000.0) / 100.0;
    return 1574.2 +
           u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
  }
  if (y < 1700.0) {
    const double t = y - 1600.0;
    return 120.0 + t * (-0.9808 + t * (-0.01532 + t / 7129.0));
  }
  if (y < 1800.0) {
    const double t = y - 1700.0;
    return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
  }
  if (y < 1860.0) {
    const double t = y - 1800.0;
    return 13.72 + t * (-0.332447 + t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 +
                   t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
  }
  if (y < 1900.0) {
    const double t = y - 1860.0;
    return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
  }
  if (y < 1920.0) {
    const double t = y - 1900.0;
    return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
  }
  if (y < 1941.0) {
    const double t = y - 1920.0;
    return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
  }
  if (y < 1961.0) {
    const double t = y - 1950.0;
    return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
  }
  if (y < 1986.0) {
    const double t = y - 1975.0;
    return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
  }
  if (y < 2005.0) {
    const double t = y - 2000.0;
    return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
  }
  if (y < 2050.0) {
    const double t = y - 2000.0;
    return 62.92 + t * (0.32217 + t * 0.005589);
  }
  const double u = (y - 1820.0) / 100.0;
  return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
}

// --- The sun: VSOP87 for the Earth, as truncated by Meeus ------------------------------------

struct Term {
  double a;  // amplitude, 10⁻⁸ radian (10⁻⁸ AU for the radius)
  double b;  // phase, radians
  double c;  // frequency, radians per millennium
};

constexpr std::array<Term, 64> kL0{{
    {175347046, 0, 0},           {3341656, 4.6692568, 6283.07585}, {34894, 4.6261, 12566.1517},
    {3497, 2.7441, 5753.3849},   {3418, 2.8289, 3.5231},           {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},   {2343, 6.1352, 3930.2097},        {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.691},     {1199, 1.1096, 1577.3435},        {990, 5.233, 5884.927},
    {902, 2.045, 26.298},        {857, 3.508, 398.149},            {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},      {505, 4.583, 18849.228},          {492, 4.205, 775.523},
    {357, 2.92, 0.067},          {317, 5.849, 11790.629},          {284, 1.899, 796.298},
    {271, 0.315, 10977.079},     {243, 0.345, 5486.778},           {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},      {202, 2.458, 6069.777},           {156, 0.833, 213.299},
    {132, 3.411, 2942.463},      {126, 1.083, 20.775},             {115, 0.645, 0.98},
    {103, 0.636, 4694.003},      {102, 0.976, 15720.839},          {102, 4.267, 7.114},
    {99, 6.21, 2146.17},         {98, 0.68, 155.42},               {86, 5.98, 161000.69},
    {85, 1.3, 6275.96},          {85, 3.67, 71430.7},              {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},        {75, 1.76, 5088.63},              {74, 3.5, 3154.69},
    {74, 4.68, 801.82},          {70, 0.83, 9437.76},              {62, 3.98, 8827.39},
    {61, 1.82, 7084.9},          {57, 2.78, 6286.6},               {56, 4.39, 14143.5},
    {56, 3.47, 6279.55},         {52, 0.19, 12139.55},             {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},         {49, 0.49, 1194.45},              {41, 5.37, 8429.24},
    {41, 2.4, 19651.05},         {39, 6.17, 10447.39},             {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},         {36, 1.71, 2352.87},              {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},        {30, 0.44, 83996.85},             {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
}};
constexpr std::array<Term, 34> kL1{{
    {628331966747, 0, 0},  {206059, 2.678235, 6283.07585}, {4303, 2.6351, 12566.1517}, {425, 1.59, 3.523},
    {119, 5.796, 26.298},  {109, 2.966, 1577.344},         {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},    {67, 4.41, 5507.55},            {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.4, 796.3},      {36, 0.47, 775.52},             {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},   {19, 4.97, 213.3},              {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},   {15, 1.21, 10977.08},           {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},   {12, 2.08, 4694},               {11, 0.77, 553.57},         {10, 1.3, 6286.6},
    {10, 4.24, 1349.87},   {9, 2.7, 242.73},               {9, 5.64, 951.72},          {8, 5.3, 2352.87},
    {6, 2.65, 9437.76},    {6, 4.67, 4690.48},
}};
constexpr std::array<Term, 20> kL2{{
    {52919, 0, 0},        {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.3},     {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52},    {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.3},     {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15},    {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
}};
constexpr std::array<Term, 7> kL3{{
    {289, 5.844, 6283.076}, {35, 0, 0}, {17, 5.49, 12566.15}, {3, 5.2, 155.42},
    {1, 4.72, 3.52},        {1, 5.3, 18849.23}, {1, 5.97, 242.73},
}};
constexpr std::array<Term, 3> kL4{{{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}}};
constexpr std::array<Term, 1> kL5{{{1, 3.14, 0}}};
// The radius vector, for the aberration only: its largest terms give it to 10⁻⁵ AU.
constexpr std::array<Term, 3> kR0{{{100013989, 0, 0}, {1670700, 3.0984635, 6283.07585}, {13956, 3.05525, 12566.1517}}};
constexpr std::array<Term, 1> kR1{{{103019, 1.10749, 6283.07585}}};

template <std::size_t N>
double SeriesSum(const std::array<Term, N>& terms, double tau) {
  double sum = 0;
  for (const Term& term : terms) sum += term.a * std::cos(term.b + term.c * tau);
  return sum;
}

}  // namespace

double DecimalYearOf(double jd) {
  // 2000.0 is JD 2451544.5; the mean Gregorian year is close enough for ΔT.
  return 2000.0 + (jd - 2451544.5) / 365.2425;
}

double DeltaTSeconds(double decimal_year) { return DeltaTPolynomial(decimal_year); }

double TerrestrialFromUniversal(double jd_ut) { return jd_ut + DeltaTSeconds(DecimalYearOf(jd_ut)) / 86400.0; }

double UniversalFromTerrestrial(double jd_tt) {
  // ΔT changes by well under a second a day, so ΔT at the TT instant is ΔT at the UT one.
  return jd_tt - DeltaTSeconds(DecimalYearOf(jd_tt)) / 86400.0;
}

double ApparentSolarLongitude(double jd_tt) {
  const double tau = (jd_tt - kJ2000) / 365250.0;  // Julian millennia from J2000
  const double t = tau * 10.0;                     // Julian centuries
  // The Earth's heliocentric longitude (radians), the series in powers of τ.
  const double l = (SeriesSum(kL0, tau) +
                    tau * (SeriesSum(kL1, tau) +
                           tau * (SeriesSum(kL2, tau) +
                                  tau * (SeriesSum(kL3, tau) + tau * (SeriesSum(kL4, tau) + tau * SeriesSum(kL5, tau)))))) /
                   1e8;
  const double r = (SeriesSum(kR0, tau) + tau * SeriesSum(kR1, tau)) / 1e8;  // AU
  // Geocentric: the sun seen from the Earth, 180° away; then to the FK5 system (Meeus 32.3).
  const double geometric = l / kDegree + 180.0 - 0.09033 / 3600.0;
  // Nutation in longitude (Meeus ch. 22, to 0.5″): Ω the moon's ascending node, L and L′ the
  // mean longitudes of the sun and the moon.
  const double omega = (125.04452 - 1934.136261 * t) * kDegree;
  const double sun_mean = (280.4665 + 36000.7698 * t) * kDegree;
  const double moon_mean = (218.3165 + 481267.8813 * t) * kDegree;
  const double nutation = -17.20 * std::sin(omega) - 1.32 * std::sin(2 * sun_mean) - 0.23 * std::sin(2 * moon_mean) +
                          0.21 * std::sin(2 * omega);  // arcseconds
  const double aberration = -20.4898 / r;                   // arcseconds
  return Normalized(geometric + (nutation + aberration) / 3600.0);
}

double SolarLongitudeAtUniversal(double jd_ut) { return ApparentSolarLongitude(TerrestrialFromUniversal(jd_ut)); }

namespace {

// The sun's mean anomaly (radians) and its rate of motion in longitude (degrees a day): the mean
// motion times 1 + 2e cos M, the derivative of the equation of the centre to first order in e.
struct SolarMotion {
  double anomaly, rate;
};
SolarMotion SolarMotionAt(double jd_tt) {
  const double t = (jd_tt - kJ2000) / kDaysPerJulianCentury;
  const double anomaly = Turn(357.52911 + 35999.05029 * t - 0.0001537 * t * t);
  return {anomaly, 360.0 / kMeanTropicalYear * (1.0 + 2.0 * 0.016708634 * std::cos(anomaly))};
}

}  // namespace

double ApproximateSolarLongitude(double jd_tt) {
  // Meeus ch. 25, "low accuracy": the geometric mean longitude and the equation of the centre,
  // less aberration and the main term of nutation.
  const double t = (jd_tt - kJ2000) / kDaysPerJulianCentury;
  const double mean_longitude = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
  const double m = SolarMotionAt(jd_tt).anomaly;
  const double centre = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                        (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
  const double omega = Turn(125.04 - 1934.136 * t);
  return Normalized(mean_longitude + centre - 0.00569 - 0.00478 * std::sin(omega));
}

double SolarLongitudeInstant(double longitude_degrees, double jd_ut_guess) {
  double jd = jd_ut_guess;
  // Newton's method, first on the low-accuracy longitude (cheap, to within its 0.01°), then on the
  // full one. The slope is the sun's motion from the equation of the centre, within 0.1 % of the
  // true one, so each step gains about three decimal digits.
  for (int step = 0; step < 12; ++step) {
    const double jd_tt = TerrestrialFromUniversal(jd);
    const double delta = Signed(longitude_degrees - ApproximateSolarLongitude(jd_tt)) / SolarMotionAt(jd_tt).rate;
    jd += delta;
    if (std::fabs(delta) < 1e-4) break;
  }
  for (int step = 0; step < 8; ++step) {
    const double jd_tt = TerrestrialFromUniversal(jd);
    const double delta = Signed(longitude_degrees - ApparentSolarLongitude(jd_tt)) / SolarMotionAt(jd_tt).rate;
    jd += delta;
    if (std::fabs(delta) < 1e-7) break;  // 0.01 s
  }
  return jd;
}

namespace {

// The arguments of new moon k (Meeus 49.2–49.7), reduced to one turn so that the sines of their
// multiples stay cheap and exact.
struct LunationArguments {
  double k, t2, mean, e, m, mp, f, omega;
};

LunationArguments ArgumentsOf(int64_t lunation) {
  LunationArguments a{};
  a.k = static_cast<double>(lunation);
  const double t = a.k / 1236.85;  // Julian centuries from J2000 (Meeus 49.3)
  a.t2 = t * t;
  const double t3 = a.t2 * t, t4 = t3 * t;
  a.mean = 2451550.09766 + kMeanSynodicMonth * a.k + 0.00015437 * a.t2 - 0.000000150 * t3 + 0.00000000073 * t4;
  a.e = 1.0 - 0.002516 * t - 0.0000074 * a.t2;                                        // the Earth's eccentricity
  a.m = Turn(2.5534 + 29.10535670 * a.k - 0.0000014 * a.t2 - 0.00000011 * t3);         // sun's anomaly
  a.mp = Turn(201.5643 + 385.81693528 * a.k + 0.0107582 * a.t2 + 0.00001238 * t3 - 0.000000058 * t4);  // moon's
  a.f = Turn(160.7108 + 390.67050284 * a.k - 0.0016118 * a.t2 - 0.00000227 * t3 + 0.000000011 * t4);   // latitude
  a.omega = Turn(124.7746 - 1.56375588 * a.k + 0.0020672 * a.t2 + 0.00000215 * t3);    // the node
  return a;
}

// The seven largest periodic terms of the new moon (Meeus p. 351).
double MainTerms(const LunationArguments& a) {
  return -0.40720 * std::sin(a.mp) + 0.17241 * a.e * std::sin(a.m) + 0.01608 * std::sin(2 * a.mp) +
         0.01039 * std::sin(2 * a.f) + 0.00739 * a.e * std::sin(a.mp - a.m) - 0.00514 * a.e * std::sin(a.mp + a.m) +
         0.00208 * a.e * a.e * std::sin(2 * a.m);
}

}  // namespace

double NewMoonTerrestrial(int64_t lunation) {
  const LunationArguments a = ArgumentsOf(lunation);
  const double mp = a.mp, m = a.m, f = a.f, e = a.e;
  // The remaining periodic terms of the new moon (Meeus p. 351).
  const double periodic =
      MainTerms(a) - 0.00111 * std::sin(mp - 2 * f) - 0.00057 * std::sin(mp + 2 * f) + 0.00056 * e * std::sin(2 * mp + m) -
      0.00042 * std::sin(3 * mp) + 0.00042 * e * std::sin(m + 2 * f) + 0.00038 * e * std::sin(m - 2 * f) -
      0.00024 * e * std::sin(2 * mp - m) - 0.00017 * std::sin(a.omega) - 0.00007 * std::sin(mp + 2 * m) +
      0.00004 * std::sin(2 * mp - 2 * f) + 0.00004 * std::sin(3 * m) + 0.00003 * std::sin(mp + m - 2 * f) +
      0.00003 * std::sin(2 * mp + 2 * f) - 0.00003 * std::sin(mp + m + 2 * f) + 0.00003 * std::sin(mp - m + 2 * f) -
      0.00002 * std::sin(mp - m - 2 * f) - 0.00002 * std::sin(3 * mp + m) + 0.00002 * std::sin(4 * mp);
  // The planetary arguments A1 … A14 (Meeus p. 351–352), in degrees, and their coefficients.
  struct Planetary {
    double base, per_lunation, coefficient;
  };
  constexpr std::array<Planetary, 14> kPlanetary{{
      {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
      {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
      {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
      {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
      {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
  }};
  double planetary = 0;
  for (std::size_t i = 0; i < kPlanetary.size(); ++i) {
    double argument = kPlanetary[i].base + kPlanetary[i].per_lunation * a.k;
    if (i == 0) argument -= 0.009173 * a.t2;  // A1 alone has a secular term
    planetary += kPlanetary[i].coefficient * std::sin(Turn(argument));
  }
  return a.mean + periodic + planetary;
}

double NewMoonUniversalRough(int64_t lunation) {
  const LunationArguments a = ArgumentsOf(lunation);
  return UniversalFromTerrestrial(a.mean + MainTerms(a));
}

double NewMoonUniversal(int64_t lunation) { return UniversalFromTerrestrial(NewMoonTerrestrial(lunation)); }

int64_t MeanLunationBefore(double jd) {
  return static_cast<int64_t>(std::floor((jd - 2451550.09766) / kMeanSynodicMonth));
}

double SunsetUniversal(int32_t day_number, double north_latitude_degrees, double east_longitude_degrees) {
  const double latitude = north_latitude_degrees * kDegree;
  const double standard_altitude = -50.0 / 60.0 * kDegree;  // refraction 34′ and the sun's semidiameter 16′
  // Local midnight that begins the day is JD day_number − 0.5 − longitude/360 in local mean
  // time; start from 18h local mean time and follow the sun's hour angle.
  double jd = day_number - 0.5 - east_longitude_degrees / 360.0 + 0.75;
  for (int step = 0; step < 5; ++step) {
    const double jd_tt = TerrestrialFromUniversal(jd);
    const double t = (jd_tt - kJ2000) / kDaysPerJulianCentury;
    const double lambda = ApparentSolarLongitude(jd_tt) * kDegree;
    const double obliquity = (23.4392911 - 0.0130042 * t) * kDegree;
    const double declination = std::asin(std::sin(obliquity) * std::sin(lambda));
    const double right_ascension = std::atan2(std::cos(obliquity) * std::sin(lambda), std::cos(lambda)) / kDegree;
    const double cos_h0 = (std::sin(standard_altitude) - std::sin(latitude) * std::sin(declination)) /
                          (std::cos(latitude) * std::cos(declination));
    if (cos_h0 <= -1.0 || cos_h0 >= 1.0) return jd;  // midnight sun or polar night: no sunset to find
    const double h0 = std::acos(cos_h0) / kDegree;
    // Greenwich mean sidereal time (Meeus 12.4), in degrees.
    const double d = jd - kJ2000;
    const double sidereal = 280.46061837 + 360.98564736629 * d + 0.000387933 * t * t;
    const double hour_angle = Signed(sidereal + east_longitude_degrees - right_ascension);
    const double delta = Signed(h0 - hour_angle) / 360.98564736629;
    jd += delta;
    if (std::fabs(delta) < 1e-7) break;
  }
  return jd;
}

}  // namespace qv::astro
