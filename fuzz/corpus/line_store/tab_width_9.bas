			deep
plain