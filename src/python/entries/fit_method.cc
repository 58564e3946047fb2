// Circuit.fit(): every argument converted in order, the measured spectrum, the starting
// point, then the fit with the interpreter lock released and a FitResult back.
#include <array>
#include <optional>
#include <string>

#include "batch/spectrum_fit.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/module/error_mapping.h"
#include "python/convert/fit_arguments.h"
#include "python/types/fit_result_object.h"
#include "python/module/interruption.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

constexpr std::array<const char*, 2> kSpectrumNames = {"frequencies", "impedances"};
constexpr auto kFitNames = with_fit_keywords(kSpectrumNames);
constexpr Signature kFitSignature{"Circuit.fit()", kFitNames, 1};

}  // namespace

PyObject* circuit_fit(PyObject* self, PyTypeObject* defining_class, PyObject* const* args, Py_ssize_t nargs,
                      PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    std::array<PyObject*, kFitNames.size()> bound{};
    if (!bind_arguments(kFitSignature, args, nargs, kwnames, bound.data())) return nullptr;
    FitArguments arguments;
    if (!convert_fit_arguments(bound.data() + kSpectrumNames.size(), &arguments)) return nullptr;

    std::optional<Spectrum> spectrum = spectrum_from(bound[0], bound[1]);
    if (!spectrum) return nullptr;
    if (!parse_weight(&arguments)) return nullptr;

    const Circuit& circuit = circuit_of(self);
    if (!ensure_walkable(circuit)) return nullptr;
    const FitStart start = choose_fit_start(circuit, arguments.guess_init, arguments.weights);
    if (start.kind == StartKind::AsGivenWithWarning &&
        PyErr_WarnEx(PyExc_UserWarning, no_model_warning_message().c_str(), 1) != 0) {
      return nullptr;
    }

    std::optional<Result<FitOutcome>> outcome = run_interruptibly([&](const CancellationToken& cancellation) {
      return fit_spectrum(circuit, *spectrum, start, arguments.options, cancellation);
    });
    if (!outcome) return nullptr;
    if (!*outcome) return raise_error(outcome->error());
    return new_fit_result_object(static_cast<ModuleState*>(PyType_GetModuleState(defining_class)),
                                 std::move(*outcome).value());
  });
}

}  // namespace corvex::python
