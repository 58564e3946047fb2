// The failure vocabulary of the fitting subsystem and its exact messages. Failures travel
// as Error values (kind Value); the Python layer raises them as ValueError.
#pragma once

#include <string>
#include <string_view>

#include "circuit/circuit.h"
#include "util/result.h"
#include "util/spectrum.h"

namespace corvex {

enum class FitErrorKind { LengthMismatch, Empty, NoParameters, Solver, UnknownMethod };

// The error for a kind; `detail` is the solver message or the unknown method name.
Error fit_error(FitErrorKind kind, std::string_view detail = {});

// The checks every method makes before its first evaluation, in order: lengths, emptiness,
// parameters.
Status validate_fit_inputs(const Circuit& circuit, const Spectrum& spectrum);

}  // namespace corvex
