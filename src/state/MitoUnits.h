#pragma once
// The inverse power density of mitochondria (Kmito) is held, typed and shown on the setup screens and
// in the workbooks in cubic metres per watt. The text files and the printed page label it "ml/W", so
// they give it in millilitres per watt: 1.2E-06 cu m/W is 1.2 ml/W.

namespace ornivo {

inline float KmitoMlPerW(float kmitoCubicMetresPerW) {
    return static_cast<float>(double(kmitoCubicMetresPerW) * 1e6);
}

}  // namespace ornivo
