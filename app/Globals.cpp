// Process-wide shell globals live here.
