"""Training pipeline for corvex's carried initial-guess networks."""
