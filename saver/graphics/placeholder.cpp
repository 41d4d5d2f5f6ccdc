// The graphics classes are implemented next to their headers.
