// The floor's loop, the same for every tier. The tier's part of arithmetic_floor.cpp
// includes this inside its target region, in a namespace of its own that defines:
//   Lanes: the tier's vector of doubles (double itself for the portable path);
//   Lanes splat(double), Lanes sub(a, b), Lanes mul(a, b), Lanes add(a, b);
//   void opaque(Lanes&): makes a value look changed to the compiler at no cost, so that it
//     cannot hoist d = a - b or d * d out of the loop and the operands stay in registers;
//   double sumLanes(Lanes).
// No include guard: it is meant to be included once per tier.

inline void step(Lanes& s, Lanes a, Lanes b) {
  const Lanes d = sub(a, b);
  s = add(s, mul(d, d));
}

// The four operands of the i side against the two of the j side, as a register tile of
// the table would hold them, one sum per pair of operands.
inline double runFloor(std::int64_t steps) {
  Lanes a0 = splat(0.5), a1 = splat(0.25), a2 = splat(0.125), a3 = splat(0.0625);
  Lanes b0 = splat(0.375), b1 = splat(0.1875);
  Lanes s0 = splat(0.0), s1 = s0, s2 = s0, s3 = s0, s4 = s0, s5 = s0, s6 = s0, s7 = s0;
  for (std::int64_t n = 0; n < steps; ++n) {
    opaque(a0);
    opaque(a1);
    opaque(a2);
    opaque(a3);
    opaque(b0);
    opaque(b1);
    step(s0, a0, b0);
    step(s1, a0, b1);
    step(s2, a1, b0);
    step(s3, a1, b1);
    step(s4, a2, b0);
    step(s5, a2, b1);
    step(s6, a3, b0);
    step(s7, a3, b1);
  }
  return sumLanes(add(add(add(s0, s1), add(s2, s3)), add(add(s4, s5), add(s6, s7))));
}
