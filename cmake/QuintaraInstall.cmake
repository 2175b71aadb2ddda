# Installing and packaging: the program, desktop entry, icons and metadata.
