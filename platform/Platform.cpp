// Platform layer; filled in by the foundation work.
