# Filled in by the application-root build.
