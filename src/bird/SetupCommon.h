#pragma once
// Rules shared by the three setup screens (power curve, migration, glide polar), on the slot of CalcMode:
// the mass check and re-derivation, the body drag, and the mass, wing and drag field rules.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/Dialogs.h"
#include "state/Edit.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::bird {

// The screen's own BMR step (recompute and show), run after mass changes that alter the lean mass.
using BmrStep = std::function<void(ProgramState&, ScreenUpdate&)>;

// Marks the field of a click or an edit on a screen (ScreenBits); false for a control that is no field
// with a mark there.
bool MarkField(ProgramState& s, std::uint8_t screen, const std::string& control);

// The heading fields of a setup screen: the bird's names and its group ("Passerine", "Non-Passerine").
void ShowNames(const ProgramState& s, ScreenUpdate& u);
// The taxon field's double-click: the other group, shown.
void ToggleTaxon(ProgramState& s, ScreenUpdate& u);
// The clicks the three setup screens share: a double click on the group toggles it and the basal
// metabolic rate follows; a click on the fat energy height shows it in kJ/kg. False for any other click.
bool SharedClick(ProgramState& s, const std::string& control, bool doubleClick,
                 const BmrStep& bmr, ScreenUpdate& u);
// A setup screen opens with no result workbook of its own yet, showing three significant digits.
void StartSetupOutput(ProgramState& s);

// Enter Bird's masses and fractions copied into the slot of CalcMode, with the all-up mass and the
// muscle, fat and airframe masses they give. The power curve takes the fractions as fractions of the
// all-up mass, the glide polar and the migration as fractions of the empty body mass: each calculation
// keeps the reading it has always had.
enum class FractionsOf { AllUpMass, EmptyMass };
void LoadMasses(ProgramState& s, FractionsOf base);
// Shows fields of the slot of CalcMode (or constants) with three significant digits, or their pattern.
void ShowFields(const ProgramState& s, ScreenUpdate& u, std::initializer_list<Param> fields);

// The wing of Enter Bird's slot copied into the slot of CalcMode, with the disc area and mean chord
// it gives, and shown.
void LoadWing(ProgramState& s, ScreenUpdate& u);

// Mass limits (fat 0.6, muscle 0.3, airframe 0.25 of the empty mass), then the masses, fractions,
// body frontal area and energy heights re-derived and shown. A refusal leaves the values as typed.
ScreenUpdate CheckAndDeriveMasses(ProgramState& s, platform::Dialogs& d);
// The limits alone, with the same messages, deriving nothing.
bool MassLimitsHold(const BirdParams& b, platform::Dialogs& d);
// Sbody[slot] = FrontalAreaFactor x Sbody[0]; BodyDragArea; shows Sbody and the factor.
ScreenUpdate UpdateBodyDrag(ProgramState& s);

// True for an edit that can change an input of the calculation: a typed field, an option, the taxon's
// double-click (a click into a field only marks it).
bool ChangesInputs(const std::string& control, const Edit& e);

// The wingbeat frequency of a slot and the frequency factor, shown (3 significant digits).
void ShowWingbeatFrequency(const ProgramState& s, int slot, ScreenUpdate& u);
// The power fraction box of the flap-gliding and bounding styles: hidden and disabled, or shown,
// enabled and given the focus.
void HidePowerFraction(ScreenUpdate& u);
void ShowPowerFraction(ScreenUpdate& u);

// False (after a message) for a typed number too large for a single or not finite ("1e999").
bool UsableNumber(platform::Dialogs& d, double value);
bool IsCommonField(const std::string& control);

// Ranges of our own for fields whose typed value the rules would store but that would overflow a
// single further on or give a calculation nothing to work with (a span of 1e30, a negative fat
// mass, an output interval of 1e308). A value outside its field's range is refused with a message
// naming the field and the range; fields without a range here, and values inside it, go on to the
// field's own rule and its own messages. Settings-screen controls are named without their prefix.
bool FieldInRange(platform::Dialogs& d, const std::string& control, double value);
// Whether the aspect ratio of a span and a wing area, or the wing area of a span and an aspect ratio,
// stays in the single range; when not, a message says which value to change. A value that is not
// above 0 derives nothing and fits.
bool AspectRatioFits(platform::Dialogs& d, double span, double area);
bool WingAreaFits(platform::Dialogs& d, double span, double aspectRatio);

// X1 = Cprof / AspectRatio as a single; 0 when the ratio is so small that the quotient overflows
// (a wing of a span of nanometres: the calculation has nothing sensible to work with either).
float ProfilePowerRatio(float cprof, float aspectRatio);

// A typed aspect ratio on the slot of CalcMode: the wing area it gives, and the profile power ratio.
// False (refused, after a message) when the wing area would pass the single range.
bool AspectRatioRule(ProgramState& s, platform::Dialogs& d, double value, ScreenUpdate& u);

// A typed air density (the altitude of the standard atmosphere shown) or altitude (the density shown).
void AirFieldRule(ProgramState& s, platform::Dialogs& d, Param field, double value, ScreenUpdate& u);

// The shared field rules on leaving a field. Returns false when the control is not one of them.
// txtEmptyMass, txtCropMass, txtMuscleMass, txtFatMass, txtMuscleFrac, txtFatFrac, txtSpan, txtArea,
// txtCdb, txtPayDragFactor, txtFrontalAreaFactor, txtSbody, txtSpName, txtShortName.
bool CommonFieldRule(ProgramState& s, platform::Dialogs& d, const std::string& control, double value,
                     const std::string& text, const BmrStep& bmr, ScreenUpdate& u);

}  // namespace ornivo::bird
