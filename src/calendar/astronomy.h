#pragma once
// The sun and the moon as the calendars that follow the sky need them: the sun's apparent
// longitude, the instants of the new moons, and ΔT between the clocks of the sky and of the day.
//
// Instants are Julian dates (JD: days from noon of 1 January −4712 JC, fractional). "UT" marks
// an instant of Universal Time, the time of the civil day; "TT" one of Terrestrial (dynamical)
// Time, the uniform time the theories of the sun and moon run in. TT = UT + ΔT.
//
// Sources:
//  - the sun: the VSOP87 planetary theory (P. Bretagnon, G. Francou, Astron. Astrophys. 202, 309,
//    1988) for the Earth, truncated as J. Meeus gives it (Astronomical Algorithms, 2nd ed. 1998,
//    ch. 25 and 32, Appendix III; the same table as NREL/TP-560-34302, Reda & Andreas 2008,
//    Table A4.2), with the FK5 correction, nutation in longitude (Meeus ch. 22, its four-term
//    form, good to 0.5″) and aberration;
//  - the new moons: Meeus ch. 49 (mean phase from ELP-2000/82, 25 periodic terms and 14
//    planetary arguments), a few seconds from the full lunar theory;
//  - ΔT: the polynomials of F. Espenak and J. Meeus (Five Millennium Canon of Solar Eclipses,
//    NASA/TP-2006-214141, "Polynomial expressions for Delta T").
//
// Held in tests to published equinox, solstice and new-moon instants within about a minute
// from 1645 to 2200. Outside those years the functions still answer, but ΔT is a guess.
#include <cstdint>

namespace qv::astro {

inline constexpr double kJ2000 = 2451545.0;          // JD of 2000 January 1, 12h TT
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kMeanSynodicMonth = 29.530588861;  // days, Meeus (49.1)
inline constexpr double kMeanTropicalYear = 365.242189;    // days

// ΔT = TT − UT in seconds at a decimal year (2024.5 is mid-2024).
double DeltaTSeconds(double decimal_year);
// The decimal year of an instant, for ΔT (Gregorian years; exact enough for ΔT).
double DecimalYearOf(double jd);
double TerrestrialFromUniversal(double jd_ut);
double UniversalFromTerrestrial(double jd_tt);

// The sun's apparent geocentric longitude in degrees [0, 360), referred to the true equinox of
// date, at an instant of TT.
double ApparentSolarLongitude(double jd_tt);
// The same at an instant of UT.
double SolarLongitudeAtUniversal(double jd_ut);
// The same by Meeus's low-accuracy formula (ch. 25): a few sines instead of 130 cosines, within
// kApproximateSolarLongitudeError of the full theory from 1645 to 2200 (held in a test). Callers
// use it to decide whatever lies far enough from a boundary, and ask the full theory for the rest.
double ApproximateSolarLongitude(double jd_tt);
inline constexpr double kApproximateSolarLongitudeError = 0.015;  // degrees (0.0106° seen)
// The instant (UT) nearest `jd_ut_guess` (within about ±60 days) at which the sun's apparent
// longitude is `longitude_degrees`: 0 the March equinox, 90 the June solstice, 180 the
// September equinox, 270 the December solstice, the multiples of 30 the major solar terms.
double SolarLongitudeInstant(double longitude_degrees, double jd_ut_guess);

// Lunations numbered as Meeus numbers them: lunation 0 is the new moon of 6 January 2000.
// The instant (TT) of new moon k, and (UT).
double NewMoonTerrestrial(int64_t lunation);
double NewMoonUniversal(int64_t lunation);
// The instant (UT) of new moon k from the mean phase and the seven largest periodic terms only,
// within kRoughNewMoonError of NewMoonUniversal: the terms left out add up to 0.0055 day at most.
double NewMoonUniversalRough(int64_t lunation);
inline constexpr double kRoughNewMoonError = 0.0056;  // days, about 8 minutes
// The lunation whose mean new moon is the last at or before `jd` (may be one off the true one:
// callers compare the true instants).
int64_t MeanLunationBefore(double jd);

// The instant (UT) of sunset, the sun's upper limb on the horizon with standard refraction
// (altitude −0°50′), on the civil day that begins at local midnight of day number
// `day_number` at longitude `east_longitude_degrees`; latitude north positive. The day number is
// the chronological Julian day number (midnight to midnight).
double SunsetUniversal(int32_t day_number, double north_latitude_degrees, double east_longitude_degrees);

}  // namespace qv::astro
