// Frequencies and measured spectra from sequences, NumPy arrays and data frames, with the
// exact messages for every structural problem of the input.
#include "python/convert/spectrum_input.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "python/convert/conversions.h"
#include "python/module/error_mapping.h"
#include "python/module/numpy_api.h"
#include "python/module/owned_ref.h"
#include "util/quote.h"

namespace corvex::python {

namespace {

constexpr ColumnSpec kFrequencyColumn{"Frequency / Hz", "frequency_hertz"};
constexpr ColumnSpec kRealColumn{"Real Impedance / ohm", "real_impedance_ohm"};
constexpr ColumnSpec kImaginaryColumn{"Imaginary Impedance / ohm", "imaginary_impedance_ohm"};
constexpr ColumnSpec kModulusColumn{"Absolute Impedance / ohm", "absolute_impedance_ohm"};
constexpr ColumnSpec kPhaseColumn{"Phase / deg", "phase_degree"};

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Items converted between two looks for Ctrl-C: a few milliseconds of copying or of Python
// number protocols, so that converting tens of millions of points stops promptly.
constexpr std::size_t kItemsPerSignalCheck = std::size_t{1} << 16;

// True, with the handler's exception set, when a signal handler raised (KeyboardInterrupt).
bool interrupted_at(std::size_t i) { return i % kItemsPerSignalCheck == 0 && i > 0 && PyErr_CheckSignals() != 0; }

// «"Frequency / Hz" or "frequency_hertz"», the way messages name a column.
std::string spec_text(const ColumnSpec& spec) {
  return quoted(spec.display_name) + " or " + quoted(spec.machine_name);
}

std::nullopt_t raise_value_error(std::string message) {
  raise_error(value_error(std::move(message)));
  return std::nullopt;
}

// A one-dimensional array of a numeric dtype, cast as a whole: for these dtypes the cast
// gives exactly what the per-item protocol would, without a Python object per item.
bool is_numeric_vector(PyObject* object, bool allow_complex) {
  if (!PyArray_Check(object)) return false;
  auto* array = reinterpret_cast<PyArrayObject*>(object);
  if (PyArray_NDIM(array) != 1) return false;
  return PyArray_ISBOOL(array) || PyArray_ISINTEGER(array) || PyArray_ISFLOAT(array) ||
         (allow_complex && PyArray_ISCOMPLEX(array));
}

// A masked array's data under its masked entries are placeholders, not measurements; rather
// than fit them silently, such an array is refused (one without masked entries is its data).
// False with TypeError (or the failure of the check) set.
bool refuse_masked_entries(PyObject* object) {
  if (!PyArray_Check(object) || PyArray_CheckExact(object)) return true;
  // No masked array can exist before numpy.ma has been imported.
  OwnedRef ma_name(PyUnicode_FromString("numpy.ma"));
  if (!ma_name) return false;
  OwnedRef ma(PyImport_GetModule(ma_name.get()));
  if (!ma) return !PyErr_Occurred();
  OwnedRef masked_type(PyObject_GetAttrString(ma.get(), "MaskedArray"));
  if (!masked_type) return false;
  const int masked = PyObject_IsInstance(object, masked_type.get());
  if (masked <= 0) return masked == 0;
  OwnedRef count(PyObject_CallMethod(ma.get(), "count_masked", "O", object));
  if (!count) return false;
  const long masked_entries = PyLong_AsLong(count.get());
  if (masked_entries == -1 && PyErr_Occurred()) return false;
  if (masked_entries == 0) return true;
  PyErr_SetString(PyExc_TypeError,
                  "masked arrays with masked entries are not accepted (the values under the mask would be used "
                  "as data): drop those entries with .compressed() or a boolean index");
  return false;
}

template <class T>
std::optional<std::vector<T>> copy_cast_array(PyObject* object, int type_number) {
  OwnedRef contiguous(PyArray_FROMANY(object, type_number, 1, 1, NPY_ARRAY_CARRAY_RO | NPY_ARRAY_FORCECAST));
  if (!contiguous) return std::nullopt;
  auto* array = reinterpret_cast<PyArrayObject*>(contiguous.get());
  const auto* data = static_cast<const T*>(PyArray_DATA(array));
  const std::size_t length = static_cast<std::size_t>(PyArray_DIM(array, 0));
  std::vector<T> values;
  values.reserve(length);
  for (std::size_t start = 0; start < length; start += kItemsPerSignalCheck) {
    if (interrupted_at(start)) return std::nullopt;
    values.insert(values.end(), data + start, data + std::min(length, start + kItemsPerSignalCheck));
  }
  return values;
}

// Items of a sequence (not a str), each through `convert`, which returns false with a
// Python error set. Lists and tuples are re-read by index so that a conversion hook that
// mutates them cannot leave us reading freed memory; other sequences are iterated at most
// up to their length, so one whose items never end cannot make the call run forever.
template <class T, class Convert>
std::optional<std::vector<T>> convert_items(PyObject* object, Convert convert) {
  if (PyUnicode_Check(object) || !PySequence_Check(object)) {
    raise_cannot_convert(object, "Sequence");
    return std::nullopt;
  }
  std::vector<T> values;
  if (PyList_Check(object) || PyTuple_Check(object)) {
    OwnedRef fast(PySequence_Fast(object, ""));
    if (!fast) return std::nullopt;
    values.reserve(static_cast<std::size_t>(PySequence_Fast_GET_SIZE(fast.get())));
    for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(fast.get()); ++i) {
      if (interrupted_at(static_cast<std::size_t>(i))) return std::nullopt;
      OwnedRef item = OwnedRef::from_borrowed(PySequence_Fast_GET_ITEM(fast.get(), i));
      T value{};
      if (!convert(item.get(), &value)) return std::nullopt;
      values.push_back(value);
    }
    return values;
  }
  const Py_ssize_t length = PySequence_Size(object);
  if (length < 0) {
    if (PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyErr_Clear();
      raise_cannot_convert(object, "Sequence");
    }
    return std::nullopt;
  }
  // A length is only a claim: reserve what a real sequence could plausibly hold at once.
  values.reserve(static_cast<std::size_t>(std::min<Py_ssize_t>(length, Py_ssize_t{1} << 20)));
  // Iteration rather than indexing: a pandas series indexes by label, but iterates by position.
  OwnedRef iterator(PyObject_GetIter(object));
  if (!iterator) return std::nullopt;
  for (Py_ssize_t i = 0; i < length; ++i) {
    if (interrupted_at(static_cast<std::size_t>(i))) return std::nullopt;
    OwnedRef item(PyIter_Next(iterator.get()));
    if (!item) {
      if (PyErr_Occurred()) return std::nullopt;
      break;
    }
    T value{};
    if (!convert(item.get(), &value)) return std::nullopt;
    values.push_back(value);
  }
  return values;
}

bool item_as_double(PyObject* item, double* out) {
  const double value = PyFloat_AsDouble(item);
  if (value == -1.0 && PyErr_Occurred()) return false;
  *out = value;
  return true;
}

bool item_as_complex(PyObject* item, Complex* out) {
  const Py_complex value = PyComplex_AsCComplex(item);
  if (value.real == -1.0 && PyErr_Occurred()) return false;
  *out = {value.real, value.imag};
  return true;
}

// The column as a Python object, or nullptr when neither name can be read; `found` is
// the name that worked.
OwnedRef lookup_column(PyObject* frame, const ColumnSpec& spec, const char** found) {
  for (const char* name : {spec.display_name, spec.machine_name}) {
    OwnedRef key(PyUnicode_FromString(name));
    if (!key) return OwnedRef();
    OwnedRef column(PyObject_GetItem(frame, key.get()));
    if (column) {
      *found = name;
      return column;
    }
    // Whatever else the frame raises for a missing column (KeyError, polars' own error, a
    // TypeError from an object without item access) only means "not here".
    if (pending_error_must_propagate()) return OwnedRef();
    PyErr_Clear();
  }
  return OwnedRef();
}

struct OptionalColumn {
  bool present = false;
  std::vector<double> values;
};

// read_column() for the columns of a frame that may be absent; false on a hard failure.
bool read_optional_column(PyObject* frame, const ColumnSpec& spec, OptionalColumn* out) {
  const ColumnRead read = read_column(frame, spec, &out->values);
  out->present = read == ColumnRead::Present;
  return read != ColumnRead::Failed;
}

std::optional<Spectrum> spectrum_from_frame(PyObject* frame) {
  Spectrum spectrum;
  switch (read_column(frame, kFrequencyColumn, &spectrum.frequencies)) {
    case ColumnRead::Failed:
      return std::nullopt;
    case ColumnRead::Absent:
      return raise_value_error("expected a dataframe with a " + spec_text(kFrequencyColumn) +
                                         " column, or frequencies and impedances as two arguments");
    case ColumnRead::Present:
      break;
  }
  OptionalColumn real, imaginary, modulus, phase;
  if (!read_optional_column(frame, kRealColumn, &real) || !read_optional_column(frame, kImaginaryColumn, &imaginary) ||
      !read_optional_column(frame, kModulusColumn, &modulus) || !read_optional_column(frame, kPhaseColumn, &phase)) {
    return std::nullopt;
  }

  std::vector<Complex> impedances;
  const ColumnSpec* first = nullptr;
  const ColumnSpec* second = nullptr;
  if (real.present && imaginary.present) {
    if (real.values.size() != imaginary.values.size()) {
      return raise_value_error("real and imaginary impedance columns must have the same length");
    }
    impedances.reserve(real.values.size());
    for (std::size_t i = 0; i < real.values.size(); ++i) {
      if (interrupted_at(i)) return std::nullopt;
      impedances.push_back({real.values[i], imaginary.values[i]});
    }
    first = &kRealColumn;
    second = &kImaginaryColumn;
  } else if (modulus.present && phase.present) {
    if (modulus.values.size() != phase.values.size()) {
      return raise_value_error("absolute impedance and phase columns must have the same length");
    }
    impedances.reserve(modulus.values.size());
    for (std::size_t i = 0; i < modulus.values.size(); ++i) {
      if (interrupted_at(i)) return std::nullopt;
      const double angle = phase.values[i] * kRadiansPerDegree;
      impedances.push_back({modulus.values[i] * std::cos(angle), modulus.values[i] * std::sin(angle)});
    }
    first = &kModulusColumn;
    second = &kPhaseColumn;
  } else {
    return raise_value_error("no impedance columns: expected " + spec_text(kRealColumn) + " together with " +
                                       spec_text(kImaginaryColumn) + ", or " + spec_text(kModulusColumn) +
                                       " together with " + spec_text(kPhaseColumn));
  }

  if (spectrum.frequencies.size() != impedances.size()) {
    return raise_value_error("frequency column has " + std::to_string(spectrum.frequencies.size()) +
                                       " rows but " + spec_text(*first) + " and " + spec_text(*second) + " have " +
                                       std::to_string(impedances.size()));
  }

  // Rows without a positive frequency (zero, negative, NaN) are not measurements.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < impedances.size(); ++i) {
    if (interrupted_at(i)) return std::nullopt;
    if (spectrum.frequencies[i] > 0.0) {
      spectrum.frequencies[kept] = spectrum.frequencies[i];
      impedances[kept] = impedances[i];
      ++kept;
    }
  }
  if (kept == 0) {
    return raise_value_error("no measured points: every row of the " + spec_text(kFrequencyColumn) +
                                       " column is zero or negative");
  }
  spectrum.frequencies.resize(kept);
  impedances.resize(kept);
  spectrum.impedances = std::move(impedances);
  return spectrum;
}

}  // namespace

std::optional<std::vector<double>> float_list(PyObject* object) {
  if (!refuse_masked_entries(object)) return std::nullopt;
  if (is_numeric_vector(object, false)) return copy_cast_array<double>(object, NPY_DOUBLE);
  return convert_items<double>(object, item_as_double);
}

std::optional<std::vector<Complex>> complex_list(PyObject* object) {
  static_assert(sizeof(Complex) == sizeof(npy_cdouble), "Complex must match NumPy's complex128 layout");
  if (!refuse_masked_entries(object)) return std::nullopt;
  if (is_numeric_vector(object, true)) return copy_cast_array<Complex>(object, NPY_CDOUBLE);
  return convert_items<Complex>(object, item_as_complex);
}

ColumnRead read_column(PyObject* frame, const ColumnSpec& spec, std::vector<double>* out) {
  const char* found = nullptr;
  OwnedRef column = lookup_column(frame, spec, &found);
  if (!column) return PyErr_Occurred() ? ColumnRead::Failed : ColumnRead::Absent;
  std::optional<std::vector<double>> values = float_list(column.get());
  if (!values) {
    if (pending_error_must_propagate()) return ColumnRead::Failed;
    PyErr_Clear();
    raise_error(value_error("column " + quoted(found) + " is not numeric"));
    return ColumnRead::Failed;
  }
  *out = std::move(*values);
  return ColumnRead::Present;
}

std::optional<std::vector<double>> frequencies_from(PyObject* object) {
  if (!refuse_masked_entries(object)) return std::nullopt;
  if (std::optional<std::vector<double>> values = float_list(object)) return values;
  // Not a sequence of numbers: the object may still be a frame with a frequency column.
  if (pending_error_must_propagate()) return std::nullopt;
  PyErr_Clear();
  std::vector<double> column;
  switch (read_column(object, kFrequencyColumn, &column)) {
    case ColumnRead::Present:
      return column;
    case ColumnRead::Failed:
      return std::nullopt;
    case ColumnRead::Absent:
      break;
  }
  return raise_value_error("expected a sequence of frequencies, or a dataframe with a " +
                                                spec_text(kFrequencyColumn) + " column");
}

std::optional<Spectrum> spectrum_from(PyObject* frequencies, PyObject* impedances) {
  if (impedances == nullptr || impedances == Py_None) return spectrum_from_frame(frequencies);
  std::optional<std::vector<double>> frequency_values = float_list(frequencies);
  if (!frequency_values) return std::nullopt;
  std::optional<std::vector<Complex>> impedance_values = complex_list(impedances);
  if (!impedance_values) return std::nullopt;
  if (frequency_values->size() != impedance_values->size()) {
    return raise_value_error("frequencies and impedances must have the same length");
  }
  return Spectrum{std::move(*frequency_values), std::move(*impedance_values)};
}

}  // namespace corvex::python
