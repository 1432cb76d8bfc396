#pragma once
// The text fields of the Enter Bird screen and of the three setup screens, for the field-rule fuzz
// target and the hostile-input tests.
#include <string>
#include <vector>

namespace ornivo::fuzz {

inline const std::vector<std::string>& EnterBirdFields() {
    static const std::vector<std::string> f = {"txtSpName", "txtShortName", "txtEmptyMass", "txtSpan",
                                               "txtArea",   "txtAR",        "txtRho",       "txtAlt"};
    return f;
}

inline const std::vector<std::string>& FlapFields() {
    static const std::vector<std::string> f = {
        "txtSpName", "txtShortName", "txtEmptyMass", "txtCropMass", "txtMuscleMass", "txtFatMass",
        "txtMuscleFrac", "txtFatFrac", "txtSpan", "txtArea", "txtAR", "txtSbody", "txtFrontalAreaFactor",
        "txtCdb", "txtPayDragFactor", "txtRho", "txtAlt", "txtGravity", "txtKflap", "txtResp", "txtEta",
        "txtKmito", "txtSigmaMax", "txtLambda", "txtX1", "txtCprof", "txtPbmr", "txtPbmrFactor",
        "txtWbeatFreq", "txtFreqFactor", "txtPowerFrac"};
    return f;
}

inline const std::vector<std::string>& GlideFields() {
    static const std::vector<std::string> f = {
        "txtSpName", "txtShortName", "txtEmptyMass", "txtCropMass", "txtMuscleMass", "txtFatMass",
        "txtMuscleFrac", "txtFatFrac", "txtSpan", "txtArea", "txtAR", "txtSbody", "txtFrontalAreaFactor",
        "txtCdb", "txtPayDragFactor", "txtRho", "txtAlt", "txtBstop", "txtCdw", "txtClMax", "txtGravity",
        "txtKGlide", "txtPbmr", "txtPbmrFactor", "txtPlanformSlope", "txtTonicMuscFrac"};
    return f;
}

inline const std::vector<std::string>& MigrateFields() {
    static const std::vector<std::string> f = {
        "txtSpName", "txtShortName", "txtEmptyMass", "txtCropMass", "txtMuscleMass", "txtFatMass",
        "txtMuscleFrac", "txtFatFrac", "txtSpan", "txtArea", "txtAR", "txtSbody", "txtFrontalAreaFactor",
        "txtCdb", "txtPayDragFactor", "txtRho", "txtAlt", "txtAltCruise", "txtRhoCruise", "txtPbmr",
        "txtPbmrFactor", "txtWbeatFreq", "txtFreqFactor", "txtPowerFrac", "txtGoalDist", "txtVratio",
        "txtVratioGPS", "frmSetDefaultsMigr.txtEfat", "frmSetDefaultsMigr.txtEprotein",
        "frmSetDefaultsMigr.txtProtHydr", "frmSetDefaultsMigr.txtProtFracTarget", "frmSetDefaultsMigr.txtEta",
        "frmSetDefaultsMigr.txtGravity", "frmSetDefaultsMigr.txtCprof", "frmSetDefaultsMigr.txtX1",
        "frmSetDefaultsMigr.txtKflap", "frmSetDefaultsMigr.txtKmito", "frmSetDefaultsMigr.txtResp",
        "frmSetDefaultsMigr.txtSigmaMax", "frmSetDefaultsMigr.txtLambda", "frmSetDefaultsMigr.txtOutputInt",
        "frmSetDefaultsMigr.txtVclimbThreshold"};
    return f;
}

// Option buttons a person clicks between typing.
inline const std::vector<std::string>& FlapOptions() {
    static const std::vector<std::string> f = {"optFlap", "optFG", "optBound"};
    return f;
}

}  // namespace ornivo::fuzz
