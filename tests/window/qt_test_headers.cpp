// Carries the precompiled Qt headers that the widget tests reuse.
