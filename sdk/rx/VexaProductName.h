#pragma once

// The host product's prefix, which names its own modules (the 3D commands module of a product
// with the prefix "Xq" is "Xq3dCmds.qrx"). Written with its terminator into `buffer` of `size`
// characters; the result is the prefix's length, 0 when there is no buffer or it is too small.
int GetVexaProductPreName(wchar_t* buffer, int size);

// Sets the prefix (a host built for another product, a test); null or empty restores "Xq".
void setVexaProductPreName(const wchar_t* prefix);
