// Circuit.guess() and Circuit.ml_circuits(): network guesses of starting values from a
// carried model or a user's weights file, and the names of the carried models; _guess_path().
#include <optional>
#include <string>
#include <vector>

#include "models/model_registry.h"
#include "guess/guess_parameters.h"
#include "nn/network_path.h"
#include "python/convert/arg_binder.h"
#include "python/types/circuit_methods.h"
#include "python/types/circuit_object.h"
#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/interruption.h"
#include "python/convert/python_values.h"
#include "python/convert/spectrum_input.h"

namespace corvex::python {

namespace {

constexpr const char* kGuessNames[] = {"frequencies", "impedances", "weights"};
constexpr Signature kGuessSignature{"Circuit.guess()", kGuessNames, 1};

}  // namespace

PyObject* circuit_guess(PyObject* self, PyTypeObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    PyObject* bound[3];
    if (!bind_arguments(kGuessSignature, args, nargs, kwnames, bound)) return nullptr;
    std::optional<std::string> weights;
    if (bound[2] != nullptr && !convert_optional_string(bound[2], "weights", &weights)) return nullptr;
    std::optional<Spectrum> spectrum = spectrum_from(bound[0], bound[1]);
    if (!spectrum) return nullptr;
    if (!ensure_walkable(circuit_of(self))) return nullptr;
    // Reading a weights file can take long (a slow file system), and so can a network run.
    std::optional<Result<std::vector<double>>> values = run_interruptibly([&](const CancellationToken& cancellation) {
      return guess_parameters(circuit_of(self).nodes, *spectrum, weights, cancellation);
    });
    if (!values) return nullptr;
    if (!values->ok()) return raise_error(values->error());
    return new_float_list(**values);
  });
}

PyObject* circuit_ml_circuits(PyObject*, PyObject*) {
  return guarded([&] {
    const std::vector<std::string_view> keys = registry_keys();
    return new_text_list(keys);
  });
}

namespace {

PyObject* guess_path_function(PyObject*, PyObject*) {
  return PyUnicode_FromString(network_path_name(network_path()));
}

}  // namespace

PyMethodDef guess_functions[] = {
    {"_guess_path", guess_path_function, METH_NOARGS,
     "_guess_path()\n--\n\nWhich loops run the network in this process: \"avx512\", \"avx2\" or \"scalar\"."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
