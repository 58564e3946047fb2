// The method table of the analysis entries, added to the module at initialisation.
#include "python/analyses/analysis_entries.h"

namespace corvex::python {

namespace {

template <class Function>
PyCFunction as_cfunction(Function function) {
  return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

PyMethodDef analysis_functions[] = {
    {"_analysis_kramers_kronig", as_cfunction(analysis_kramers_kronig), METH_FASTCALL | METH_KEYWORDS,
     "Linear Kramers-Kronig test of each spectrum; see corvex.analysis.kramers_kronig."},
    {"_analysis_zhit", as_cfunction(analysis_zhit), METH_FASTCALL | METH_KEYWORDS,
     "Z-HIT reconstruction of the modulus of each spectrum; see corvex.analysis.zhit."},
    {"_analysis_relaxation_times", as_cfunction(analysis_relaxation_times), METH_FASTCALL | METH_KEYWORDS,
     "Distribution of relaxation times of each spectrum; see corvex.analysis.drt."},
    {"_analysis_rank_circuits", as_cfunction(analysis_rank_circuits), METH_FASTCALL | METH_KEYWORDS,
     "Ranking of candidate circuits for each spectrum; see corvex.analysis.rank_circuits."},
    {"_analysis_discover", as_cfunction(analysis_discover), METH_FASTCALL | METH_KEYWORDS,
     "Circuit discovery for each spectrum; see corvex.analysis.discover."},
    {nullptr, nullptr, 0, nullptr},
};

}  // namespace corvex::python
