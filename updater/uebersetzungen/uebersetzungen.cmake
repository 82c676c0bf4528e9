# Filled in by the translation build.
