"""The machinery behind corvex.batch: input forms, the run in this process, the table and the
progress bar; corvex.batch and corvex.dask both build on it, so neither imports the other back."""
