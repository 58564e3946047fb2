// Circuit.fit(): every argument converted in order, the measured spectrum, the starting
// point, then the fit driver with the interpreter lock released and a FitResult back.
#include <array>
#include <optional>
#include <string>

#include "fit/fit_driver.h"
#include "python/arg_binder.h"
#include "python/circuit_methods.h"
#include "python/circuit_object.h"
#include "python/conversions.h"
#include "python/error_mapping.h"
#include "python/fit_result_object.h"
#include "python/fit_start.h"
#include "python/gil_release.h"
#include "python/spectrum_input.h"

namespace corvex::python {

namespace {

enum FitArgument {
  kFrequencies,
  kImpedances,
  kGuessInit,
  kWeights,
  kWeight,
  kMethod,
  kMaxIterations,
  kFtol,
  kXtol,
  kNumParticles,
  kGenerations,
  kNelderMeadIterations,
  kDeEvaluations,
  kSaIterations,
  kSaInitialTemperature,
  kBasinHoppingHops,
  kBasinHoppingStepSize,
  kBasinHoppingTemperature,
  kSeed,
  kFitArgumentCount,
};

constexpr const char* kFitNames[kFitArgumentCount] = {
    "frequencies",
    "impedances",
    "guess_init",
    "weights",
    "weight",
    "method",
    "max_iterations",
    "ftol",
    "xtol",
    "num_particles",
    "generations",
    "nelder_mead_iterations",
    "de_evaluations",
    "sa_iterations",
    "sa_initial_temperature",
    "basin_hopping_hops",
    "basin_hopping_step_size",
    "basin_hopping_temperature",
    "seed",
};
constexpr Signature kFitSignature{"Circuit.fit()", kFitNames, 1};

struct FitArguments {
  std::optional<bool> guess_init;
  std::optional<std::string> weights;
  std::string weight = "modulus";
  FitOptions options;
};

// An omitted argument keeps the default already in `out`; None is a value like any other
// and only the arguments that document None accept it.
template <class Value, class Convert>
bool convert_given(PyObject* const* bound, FitArgument argument, Convert convert, Value* out) {
  PyObject* object = bound[argument];
  return object == nullptr || convert(object, kFitNames[argument], out);
}

bool convert_fit_arguments(PyObject* const* bound, FitArguments* arguments) {
  FitOptions& options = arguments->options;
  return convert_given(bound, kGuessInit, convert_optional_bool, &arguments->guess_init) &&
         convert_given(bound, kWeights, convert_optional_string, &arguments->weights) &&
         convert_given(bound, kWeight, convert_string, &arguments->weight) &&
         convert_given(bound, kMethod, convert_string, &options.method) &&
         convert_given(bound, kMaxIterations, convert_u32, &options.max_iterations) &&
         convert_given(bound, kFtol, convert_double, &options.ftol) &&
         convert_given(bound, kXtol, convert_double, &options.xtol) &&
         convert_given(bound, kNumParticles, convert_u64, &options.num_particles) &&
         convert_given(bound, kGenerations, convert_u64, &options.generations) &&
         convert_given(bound, kNelderMeadIterations, convert_u64, &options.nelder_mead_iterations) &&
         convert_given(bound, kDeEvaluations, convert_u64, &options.de_evaluations) &&
         convert_given(bound, kSaIterations, convert_u64, &options.sa_iterations) &&
         convert_given(bound, kSaInitialTemperature, convert_double, &options.sa_initial_temperature) &&
         convert_given(bound, kBasinHoppingHops, convert_u32, &options.basin_hopping_hops) &&
         convert_given(bound, kBasinHoppingStepSize, convert_double, &options.basin_hopping_step_size) &&
         convert_given(bound, kBasinHoppingTemperature, convert_double, &options.basin_hopping_temperature) &&
         convert_given(bound, kSeed, convert_optional_u64, &options.seed);
}

}  // namespace

PyObject* circuit_fit(PyObject* self, PyTypeObject* defining_class, PyObject* const* args, Py_ssize_t nargs,
                      PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kFitArgumentCount> bound{};
    if (!bind_arguments(kFitSignature, args, nargs, kwnames, bound.data())) return nullptr;
    FitArguments arguments;
    if (!convert_fit_arguments(bound.data(), &arguments)) return nullptr;

    std::optional<Spectrum> spectrum = spectrum_from(bound[kFrequencies], bound[kImpedances]);
    if (!spectrum) return nullptr;
    std::optional<WeightScheme> scheme = parse_weight_scheme(arguments.weight);
    if (!scheme) return raise_error(value_error(unknown_weight_scheme_message(arguments.weight)));
    arguments.options.weight = *scheme;

    const Circuit& circuit = circuit_of(self);
    std::optional<Circuit> guessed;
    if (decides_to_guess(arguments.guess_init, arguments.weights.has_value(), circuit.explicit_values) &&
        !guessed_start(circuit, *spectrum, arguments.guess_init, arguments.weights, &guessed)) {
      return nullptr;
    }
    const Circuit& start = guessed ? *guessed : circuit;

    std::optional<Result<FitOutcome>> outcome;
    {
      ScopedGilRelease unlocked;
      outcome.emplace(fit_driver(arguments.options, start, *spectrum));
    }
    if (!*outcome) return raise_error(outcome->error());
    return new_fit_result_object(static_cast<ModuleState*>(PyType_GetModuleState(defining_class)),
                                 std::move(*outcome).value());
  });
}

}  // namespace corvex::python
