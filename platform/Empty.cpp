// Compiled into a layer that has no sources of its own yet.
