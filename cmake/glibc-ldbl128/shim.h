/* What glibc's binary128 long double functions (sysdeps/ieee754/ldbl-128)
   take from glibc's internal headers, for compiling them with emscripten
   against its C library, musl (scripts/glibc-ldbl128.sh includes it before
   each source; the internal headers the sources name stand empty beside it).

   WebAssembly rounds to nearest only and keeps no floating-point exception
   flags, so what glibc does to raise a flag (forcing an underflow, keeping an
   evaluation) does nothing here; no value depends on it. */
#ifndef VORTANE_GLIBC_LDBL128_SHIM_H
#define VORTANE_GLIBC_LDBL128_SHIM_H

#include <endian.h>
#include <errno.h>
#include <float.h>
#include <math.h>
#include <stdint.h>

#if LDBL_MANT_DIG != 113
#error "glibc's ldbl-128 functions need long double to be IEEE binary128"
#endif

/* glibc's own word access and literal macros (ldbl-128/math_ldbl.h) read the
   float word order, which musl's <endian.h> does not name: it is the byte order. */
#define __FLOAT_WORD_ORDER __BYTE_ORDER
#include "math_ldbl.h"

/* <features.h> and <libc-diag.h> of glibc. */
#define __BEGIN_DECLS
#define __END_DECLS
#define DIAG_PUSH_NEEDS_COMMENT
#define DIAG_POP_NEEDS_COMMENT
#define DIAG_IGNORE_NEEDS_COMMENT(version, option)

#define __set_errno(value) (errno = (value))
#define __glibc_unlikely(condition) __builtin_expect((condition), 0)
/* Exact operations, which musl does as glibc does. */
#define __scalbn scalbn
#define __frexpl frexpl
#define __ldexpl ldexpl

/* <math-barriers.h>, <math-underflow.h>, <math-narrow-eval.h>: flags only, or
   no excess precision (FLT_EVAL_METHOD is 0). */
#define math_force_eval(x) ((void)(x))
#define math_check_force_underflow(x) ((void)0)
#define math_check_force_underflow_nonneg(x) ((void)0)
#define math_narrow_eval(x) (x)

/* The wrapper templates (math/w_*_template.c) for long double, as glibc's
   math-type-macros-ldouble.h sets them. */
#define __USE_WRAPPER_TEMPLATE 1
#define FLOAT long double
#define M_DECL_FUNC(function) function##l
#define M_SUF(function) function##l
#define M_LIT(literal) literal##L

/* The public names are strong aliases of glibc's internal ones, so that a
   second definition (musl's) of one cannot be taken silently. glibc's
   internal names are kept apart from musl's own __sinl and __cosl. */
#define __sinl __glibc_sinl
#define __cosl __glibc_cosl
#define __atanl __glibc_atanl
#define __expm1l __glibc_expm1l
#define __expl __glibc_expl
#define __logl __glibc_logl
#define vortane_alias(name, public_name) extern __typeof(name) public_name __attribute__((alias(#name)));
#define vortane_alias_expanded(name, public_name) vortane_alias(name, public_name)
#define libm_alias_ldouble(from, to) vortane_alias_expanded(from##l, to##l)
#define declare_mgen_alias(from, to) libm_alias_ldouble(from, to)
/* glibc's old __expl_finite names and its libm-internal aliases: none needed. */
#define libm_alias_finite(from, to)
#define libm_hidden_def(name)

long double __ieee754_expl(long double x);
long double __ieee754_logl(long double x);
long double __expl(long double x);
int32_t __ieee754_rem_pio2l(long double x, long double *y);
long double __kernel_sinl(long double x, long double y, int iy);
long double __kernel_cosl(long double x, long double y);
int __kernel_rem_pio2(double *x, double *y, int e0, int nx, int prec, const int32_t *ipio2);

#endif
