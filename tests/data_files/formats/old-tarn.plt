Old TARN sample
Water
298
1
632.8
2
1e10 2e10
1
1e-3
Kc/R,error
Order
1e-6 2e-9
1.5e-6,3e-9
