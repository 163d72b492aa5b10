// A module that carries nothing but a 2 x 2 bitmap 501 (small_atlas.rc).
