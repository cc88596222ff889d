#pragma once

// Geometric helpers of the classic interface, on points held as arrays of three doubles.

// The distance between two points in space; 0 (with an invalid-parameter report) when either
// pointer is null.
double qvutDistance(const double* p1, const double* p2);
