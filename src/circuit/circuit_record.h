// A circuit as saved documents hold it: notation text naming every element, the values in
// parameter order, the explicit-values flag and which elements carry no label.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "util/result.h"

namespace corvex {

struct CircuitRecord {
  std::string notation;                 // "R0-(R1,C1)": each element by its element name
  std::vector<double> values;           // in parameter order
  bool explicit_values = false;
  std::vector<std::size_t> unlabelled;  // flattening positions of the elements without a label
};

// Fails for a circuit with an empty series list (Series([]), Parallel([]), an empty branch),
// which notation cannot express.
Result<CircuitRecord> record_of(const Circuit& circuit);

// The circuit a record describes, exactly; a record that no circuit could have produced
// (bad notation, repeated labels, an unlabelled element written under another name, the
// wrong number of values) is refused with a message saying what is wrong.
Result<Circuit> circuit_from_record(const CircuitRecord& record);

}  // namespace corvex
