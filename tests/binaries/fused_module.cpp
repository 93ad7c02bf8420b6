// A module built the way a plug-in must not be: contraction on, for a processor with fused
// multiply-add, so the multiply and the add below become one instruction. The code check has
// to reject it.
extern "C" double multiplyAdd(double a, double b, double c) {
  return a * b + c;
}
